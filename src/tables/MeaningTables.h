#pragma once

#include "files/Fallible.h"
#include "files/MemTable.h"

#include <QString>

class Prompter;

// The two meaning tables: words and meanings (*.wml), pictures or sounds and meanings (*.sml).
enum class MeaningKind { Words, Sounds };

MemTable makeWordTable();  // Word (20, required), Meaning (120, required)
MemTable makeSoundTable(); // FN, MarkX, MarkY (16-bit), AudioFN, Meaning (50, required)

// One table in memory with its file name ("" = not saved yet).
struct MeaningTable
{
    explicit MeaningTable(MeaningKind kind);
    MeaningKind kind;
    MemTable table;
    QString fileName;

    // Empties the table and reads the file. A missing or empty file leaves it empty and forgets
    // the name, and so does a file that cannot be opened (with its message). A file with a
    // faulty line keeps the records before the fault and its name. Messages are the caller's
    // to show.
    Fallible<void> load(const QString &path);
    // Whether the table belongs to a file (the edit command follows it).
    bool hasFile() const { return !fileName.isEmpty(); }
    // Writes after the coexistence rule: a .wml and a .sml of the same name may not both exist,
    // so the other one is offered for deletion first; No leaves both files and fails the save.
    // Messages are shown through the prompter; the result carries them too.
    Fallible<void> save(const QString &path, Prompter &prompter);
};
