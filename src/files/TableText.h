#pragma once

#include "files/Fallible.h"
#include "files/MemTable.h"

#include <QString>

#include <memory>
#include <optional>

class Prompter;
class QFile;

// Tables as text: one record per line ended by CR LF, the fields in table order separated by a
// TAB; booleans "1"/"0", numbers in decimal, dates "dd/MM/yyyy", times "HH:mm:ss".
enum class QuoteStrings { No, Yes };
enum class IncludeCalculated { No, Yes };

QString TableToText(const MemTable &table, QuoteStrings quote = QuoteStrings::No,
                    IncludeCalculated calc = IncludeCalculated::No);
// Appends one record per line; an empty line adds none. The pieces between TABs are taken as
// they stand, quotes included: nothing is unquoted, whichever way the text was written (files
// and pasted clipboard text alike). A line with more pieces than fields,
// or a record the table refuses, stops the reading: the error is returned and the records read
// before it stay.
std::optional<QString> ReadTableText(MemTable &table, const QString &text,
                                     IncludeCalculated calc = IncludeCalculated::No);

// Writes the table after EnsureWritable. Its failures are shown through the prompter and carried
// by the result too (an empty message when the writable check refused).
Fallible<void> SaveTableToText(const MemTable &table, const QString &path, QuoteStrings quote,
                               IncludeCalculated calc, Prompter &prompter);
// Reads the file into the table. On a faulty line the records before it stay; the message (or
// the one for a file that cannot be opened) is the caller's to show.
Fallible<void> LoadTableFromText(MemTable &table, const QString &path, IncludeCalculated calc);
void CopyTableToClipboard(const MemTable &table, QuoteStrings quote, IncludeCalculated calc);
std::optional<QString> PasteTableFromClipboard(MemTable &table, IncludeCalculated calc);

// Before leaving a record with pending changes: "Voleu guardar els canvis d'aquest registre?";
// Yes posts it (its error is returned), No drops the changes.
std::optional<QString> ConfirmPostRecord(MemTable &table, Prompter &prompter);

enum class TextFileMode { Read, Create, Append };
// Opens a text file, after the read-only check when writing; nullptr (with the message shown)
// on failure.
std::unique_ptr<QFile> OpenTextFile(const QString &path, TextFileMode mode, Prompter &prompter);
