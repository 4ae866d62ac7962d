#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The program's 8-bit text files (slide lists, tables, results, settings) are read as UTF-8 when
// the bytes are valid UTF-8 holding non-ASCII characters, and as Windows-1252 otherwise. A file is
// written back in the encoding it was read in; a character Windows-1252 cannot hold switches the
// file to UTF-8 rather than being lost.
enum class TextEncoding { Windows1252, Utf8 };

struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Windows1252;
};

DecodedText decode8BitText(const QByteArray &bytes);

// Every byte as its Windows-1252 character; the five undefined bytes as the C1 control of the
// same value, so nothing is lost. The second form appends to `out`.
QString decodeWindows1252(QByteArrayView bytes);
void appendWindows1252(QString &out, QByteArrayView bytes);

// Encodes in `preferred` when every character fits and the bytes read back as the same text;
// otherwise in UTF-8 (Windows-1252 bytes that form valid UTF-8 would read back as other
// characters). `used` reports the choice.
QByteArray encode8BitText(const QString &text, TextEncoding preferred,
                          TextEncoding *used = nullptr);

// Windows-1252 when every character fits, else UTF-8: the encoding of a file we create.
TextEncoding encodingForNewText(const QString &text);

bool fitsWindows1252(const QString &text);

// Splits at CR LF, LF or CR. A line break at the very end does not start another line.
QStringList splitTextLines(const QString &text);

// Joins lines, each followed by CR LF.
QString joinTextLines(const QStringList &lines);
