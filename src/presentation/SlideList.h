#pragma once

#include "files/Fallible.h"
#include "files/TextCodec.h"

#include <QString>
#include <QStringList>

class Prompter;

// The lines of a slide list file, held as they were read; slides are decoded when needed, so a
// rewrite of one field leaves every other character of the file unchanged.
class SlideList
{
public:
    enum class RelocateField { File, Audio, Document };
    enum class RelocateResult { Done, Malformed };

    QStringList lines;
    bool modified = false;
    TextEncoding encoding = TextEncoding::Windows1252;
    bool encodingKnown = false; // false for a list not read from a file

    static QString untitledName() { return QStringLiteral("SenseNom.sal"); }

    void loadFromBytes(const QByteArray &bytes);
    QByteArray toBytes();

    // Reads the file. A file that cannot be read leaves the list empty; the message is the
    // caller's to show.
    Fallible<void> load(const QString &path);
    // Writes every line followed by CR LF, after EnsureWritable, through a temporary file. On
    // failure shows "S'ha produït un error en desar" through the prompter (the result carries the
    // same text) and the list stays modified.
    Fallible<void> save(const QString &path, Prompter &prompter);

    // For every line whose chosen field names a file that exists in `folder`, puts that path in
    // the field. A malformed line stops the pass with its message (when a prompter is given).
    RelocateResult RelocateSlideFiles(const QString &folder, RelocateField which,
                                      Prompter *prompter);

    // Field 5 of line `index` := seconds; the list is marked modified.
    void recordTime(int index, int seconds);
};
