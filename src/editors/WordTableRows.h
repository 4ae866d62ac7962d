#pragma once

#include "files/Fallible.h"
#include "files/MemTable.h"

#include <QString>

class Prompter;
struct MeaningTable;

// The rows of the words-and-meanings table editor (RMD_WML): a copy of the main window's words
// table that the editor changes, writes back and saves, with the rules of its commands.
class WordTableRows
{
public:
    explicit WordTableRows(Prompter &prompter);

    MemTable &table() { return m_table; }
    const MemTable &table() const { return m_table; }
    int count() const { return m_table.recordCount(); }

    // The rows of `source`, copied without counting as changes.
    void loadFrom(const MeaningTable &source);

    // Stores a row (appended when `row` is the row count, inserted before it when `insert`):
    // both fields lose their outer blanks, the first letters are upper-cased when `upperFirst`,
    // and while the columns are swapped a meaning's "|" becomes ". " (it would split answers).
    // The table's own error when a field is missing.
    Fallible<void> post(int row, const QString &word, const QString &meaning, bool insert = false);
    void remove(int row);
    // "Buida la taula": asks "Voleu esborrar tots els %d registres?" from 2 rows on. False when
    // the user kept the rows.
    bool empty();
    // Pasted lines, a row each, after the emptying question (No keeps the rows there).
    Fallible<void> paste(const QString &text);
    QString copyText() const;
    // A pending post is the caller's; the table needs at least 2 rows ("La taula ha de tenir
    // almenys 2 registres").
    Fallible<void> requireTwoRows();
    // "Ordena la taula per la 1ª/2ª columna", ascending without regard to case.
    Fallible<void> sortByWord();
    Fallible<void> sortByMeaning();

    // Writes the rows into `target` and saves it under its name (coexistence rule included).
    Fallible<void> saveInto(MeaningTable &target);

    // The close rule: true when the editor may close.
    bool canClose(const QString &tableFileName);

    // The grid titles for the orientation in force.
    QString wordTitle() const;
    QString meaningTitle() const;

    bool upperFirst = true; // SWmlFieldsUpCase1stChar
    bool swapped = false;   // the word is the question and the meaning the answer
    bool modified = false;
    int postCount = 0;
    bool loading = false;
    // The quiz generated from the table, "" until one is.
    QString generatedPath;

private:
    Fallible<void> sortBy(int first, int second);

    Prompter &m_prompter;
    MemTable m_table;
};
