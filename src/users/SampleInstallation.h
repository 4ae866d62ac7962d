#pragma once

#include "files/Fallible.h"

#include <QString>

#include <span>

// The bundled examples name their pictures, texts and tracks without a folder. The welcome
// dialog's "Fer-ho" puts, in each example list and table, the folder where the example lies in
// front of those names, so that the examples open from anywhere.

enum class SampleFileKind { SlideList, SoundTable };

struct SampleFile
{
    const char16_t *name; // below the examples folder, '/' between folders, no extension
    const char16_t *extension;
    SampleFileKind kind;
};

// The example files adapted, in the order they are adapted.
std::span<const SampleFile> sampleFiles();

// One line with the folder of each path it holds replaced by `folder`, the names kept. In a slide
// list: the slide's file (first field), its audio track (after the last TAB) and, on a slide that
// opens a document, the document (third field). In an images/sounds table: the picture (first
// field) and the track (the field before the last). Empty fields and lines with too few fields
// stay as they are.
QString adaptSampleLine(const QString &line, const QString &folder, SampleFileKind kind);

// Adapts one file in place, in its own encoding, replacing it whole or not at all. Fails with
// "No s'ha trobat l'arxiu '%s'" when the file is missing and "No es pot crear el fitxer %s" when
// it cannot be written.
Fallible<void> adaptSampleFile(const QString &path, SampleFileKind kind);

// Adapts every example file below `examplesDir` in order, stopping at the first failure; the
// files adapted before it stay adapted. Adapting twice gives the same files.
Fallible<void> adaptSamples(const QString &examplesDir);

// Where the examples are adapted. The examples of a program kept in a folder of its own are
// adapted where they are; those of an installed program, shared by every user and owned by the
// package, or any the user cannot write, are first copied to `userCopy`.
struct ExamplesPlace
{
    QString folder; // where the examples are adapted
    QString source; // the folder copied into `folder`; empty when they are adapted in place
};
ExamplesPlace examplesPlace(const QString &examplesDir, bool installed, const QString &userCopy);

// The user's own copy of installed examples: "Pelvar/Exemples" in the documents folder.
QString userExamplesFolder();

// Copies the examples folder `source` into `target`, folders included. A file already in the
// target is left as it is, so a copy adapted earlier or changed by its user is kept. Fails with
// "No es pot crear el fitxer %s" naming the file that could not be written.
Fallible<void> copyExamples(const QString &source, const QString &target);

// The whole of "Fer-ho": the copy when the examples must be copied, then the adaptation.
Fallible<void> installSamples(const ExamplesPlace &place);
