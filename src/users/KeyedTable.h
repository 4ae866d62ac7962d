#pragma once

#include "files/Fallible.h"
#include "files/MemTable.h"
#include "files/TextCodec.h"
#include "users/TStringListRMD.h"

#include <QString>
#include <QVariant>

#include <functional>

class Prompter;

// One list of the users module: its rows in memory, the key list bound to its key field, the
// row being edited or inserted, and its file (Base64 of TAB-separated rows ended by CR LF).
// The plain rows never reach the disk: they are decoded and encoded in memory, so no transient
// file with the passwords in clear is left behind by a crash.
class KeyedTable
{
public:
    enum class EditState { Browse, Edit, Insert };
    // Whether a post may store a key another row already holds.
    enum class Duplicates { Refuse, Allow };

    KeyedTable(QString name, std::vector<MemTable::Field> fields, const QString &keyField);

    MemTable &table() { return m_table; }
    const MemTable &table() const { return m_table; }
    int rowCount() const { return m_table.recordCount(); }
    QString text(int row, const QString &field) const;
    int fieldIndex(const QString &field) const { return m_table.fieldIndex(field); }
    const TStringListRMD &keys() const { return m_keys; }

    // Editing: a row is taken into edit (its key leaves the key list until it is posted or the
    // edit is cancelled) or a new one is started before `row` (the row count appends).
    EditState state() const { return m_state; }
    int editRow() const { return m_row; }
    void beginEdit(int row);
    void beginInsert(int row);
    void setPending(const QString &field, const QVariant &value);
    QString pendingText(const QString &field) const;
    // Stores the row being edited: a required field left empty, a TAB or line end in a field,
    // or a key another row holds ("Ja existeix %s") is refused and the row stays in edit.
    Fallible<void> post();
    void cancel();
    void deleteRow(int row);
    // Moves the rows into a new order (`order[i]` is the old index of the new row i).
    void reorder(const std::vector<int> &order);

    Duplicates duplicates = Duplicates::Refuse;
    // Called after a row is started by beginInsert and at the start of every post.
    std::function<void()> afterInsert;
    std::function<void()> beforePost;

    // The rows as text: one line per row ended by CR LF, fields separated by TAB, booleans 1/0.
    QString rowsText() const;

    // Reads the list file. A missing file fails with an empty message; a file that is not the
    // encoding of a list, or has a faulty row, fails with the reason and leaves no row.
    Fallible<void> load(const QString &path);
    bool loaded() const { return m_loaded; }
    // Writes the list file atomically (asking first about a row in edit). A list file that exists
    // but could not be read is never written over: its rows would be lost.
    Fallible<void> save(const QString &path, Prompter &prompter);

private:
    Fallible<void> readRows(const QString &text, const QString &path);
    void emptyTable();

    MemTable m_table;
    TStringListRMD m_keys;
    int m_keyField;
    EditState m_state = EditState::Browse;
    int m_row = -1;
    MemTable::Record m_pending;
    QString m_editKey; // the key of the row taken into edit
    bool m_loaded = false;
    bool m_unreadable = false; // the file exists but could not be read
    TextEncoding m_encoding = TextEncoding::Windows1252;
    bool m_encodingKnown = false;
};
