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

    // The row the grid edits, held as a database grid holds it: typed text stays here until the
    // row is left (posted) or the edit is cancelled. A new row is in the table only once posted,
    // so the grid shows the table's rows with the new one at editRow().
    enum class EditState { Browse, Edit, Insert };
    EditState editState() const { return m_state; }
    int editRow() const { return m_editRow; }
    // The rows the grid shows: the table's, and a new one being typed.
    int shownCount() const { return count() + (m_state == EditState::Insert ? 1 : 0); }
    // The table row shown at grid row `row`; -1 for the new row.
    int tableRow(int row) const;
    QString shownText(int row, int field) const;
    // Starts a blank row before grid row `row` (the shown count appends it); the row in edit is
    // posted first, and its failure stops it.
    Fallible<void> beginInsert(int row);
    // Text typed into a cell: grid row `row` goes into edit. Another row in edit is the
    // caller's to post first; until it is, typing elsewhere is refused.
    void setPending(int row, int field, const QString &text);
    // Whether the row in edit holds text that differs from the stored row's (a new row: any).
    bool hasPendingChanges() const;
    // Posts the row in edit through post(), showing its error (the row then stays in edit). A
    // new row left blank goes away; an edit that changed nothing ends without counting.
    Fallible<void> postPending();
    void cancelPending();
    // The table helpers' "post with a minimum": the row in edit, then at least 2 rows (both
    // errors shown).
    Fallible<void> postWithMinimum();
    // Deletes the row shown at grid row `row`; the new row is cancelled instead.
    void removeShown(int row);

    // Stores a row (appended when `row` is the row count, inserted before it when `insert`):
    // both fields lose their outer blanks, the first letters are upper-cased when `upperFirst`,
    // and while the columns are swapped a meaning's "|" becomes ". " (it would split answers);
    // while `loading`, the row is stored as given and counts as no change.
    // The table's own error when a field is missing.
    Fallible<void> post(int row, const QString &word, const QString &meaning, bool insert = false);
    void remove(int row);
    // "Buida la taula": posts the row in edit, then asks "Voleu esborrar tots els %d registres?"
    // from 2 rows on. False when the user kept the rows (or the post failed).
    bool empty();
    // Pasted lines, a row each, after the emptying question (No keeps the rows there).
    Fallible<void> paste(const QString &text);
    QString copyText() const;
    // The table needs at least 2 rows ("La taula ha de tenir almenys 2 registres"); the row in
    // edit is not looked at.
    Fallible<void> requireTwoRows();
    // "Ordena la taula per la 1ª/2ª columna" after the post with a minimum, ascending without
    // regard to case.
    Fallible<void> sortByWord();
    Fallible<void> sortByMeaning();

    // After the post with a minimum, writes the rows into `target` and saves it under `path`
    // (its own name when none is given; coexistence rule included). Saved, the post counter
    // starts again and the quizzes may be generated; a failure leaves `target` as it was.
    Fallible<void> saveInto(MeaningTable &target, const QString &path = QString());

    // The close rule, after posting the row in edit: true when the editor may close.
    bool canClose(const QString &tableFileName);

    // "Intercanvia la utilitat de les columnes": a row in edit with changes is posted after
    // "Voleu guardar els canvis d'aquest registre?" (No drops them); the orientation flips and,
    // once swapped, every meaning's "|" becomes ". " as a post would make it.
    Fallible<void> swapColumns();

    // The grid titles for the orientation in force.
    QString wordTitle() const;
    QString meaningTitle() const;

    bool upperFirst = true; // SWmlFieldsUpCase1stChar
    bool swapped = false;   // the word is the question and the meaning the answer
    bool modified = false;
    int postCount = 0;
    bool loading = false;
    // False from a post until the next save: the quizzes are made from the saved table.
    bool generationEnabled = true;
    // The quiz generated from the table, "" until one is.
    QString generatedPath;

private:
    Fallible<void> sortBy(int first, int second);

    Prompter &m_prompter;
    MemTable m_table;
    EditState m_state = EditState::Browse;
    int m_editRow = -1;
    QString m_pending[2];
};
