#pragma once

#include "files/MemTable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class Prompter;

// The rows of an editor whose rows name files (the slide list editor, the images/sounds table
// editor): the in-memory table RMD_FileList as a read-only table model, with the operations the
// editor's commands carry out on it and the hooks each kind of list fills in.
//
// The first seven fields are the same for every list (directory, name, extension, valid, kind
// letter, mark x, mark y); the four audio fields stand where the derived list says. Rows are
// edited through the editor's controls, not in the grid: a "post" stores the controls into the
// current row (StoreRowEdits) and counts one change (AfterRowPosted).
class FileListRows : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum BaseField { Dir = 0, Name = 1, Ext = 2, Valid = 3, Slide = 4, MarkX = 5, MarkY = 6 };
    struct AudioFields
    {
        int dir = 7, name = 8, ext = 9, valid = 10;
    };
    // The fields of the base layout, for lists that add nothing.
    static std::vector<MemTable::Field> baseFields();

    FileListRows(std::vector<MemTable::Field> fields, AudioFields audio, Prompter &prompter,
                 QObject *parent = nullptr);

    MemTable &table() { return m_table; }
    const MemTable &table() const { return m_table; }
    int count() const { return m_table.recordCount(); }
    const AudioFields &audioFields() const { return m_audio; }
    Prompter &prompter() { return m_prompter; }

    QVariant value(int row, int field) const;
    QString text(int row, int field) const { return value(row, field).toString(); }
    bool flag(int row, int field) const { return value(row, field).toBool(); }
    // -1 for a mark field that holds nothing.
    int number(int row, int field, int none = -1) const;
    // Puts a value in a row's field (converted and cut as the field says) and announces it.
    void setValue(int row, int field, const QVariant &v);

    // Folder + name + "." + extension; "" for title and open-file rows ("T", "O").
    QString rowPath(int row) const;
    QString audioPath(int row) const;
    QString kindLetter(int row) const { return text(row, Slide); }

    // The current row (-1 for none). Moving it posts the row being left when its controls
    // changed, then fills the controls from the new one.
    int current() const { return m_current; }
    void setCurrent(int row);
    // Fills the controls from the current row again (after a batch of changes).
    void refreshCurrent();
    // Tells the views which row is current after a batch moved it without saying so.
    void announceCurrent() { Q_EMIT currentChanged(m_current); }

    // Appends or inserts (before `before`) a complete record as the current row (the row
    // being left is posted first) and runs AfterRowPosted with the insertion flag set.
    // Returns the row.
    int addRecord(const MemTable::Record &record, int before = -1);
    // Stores the controls into the current row (StoreRowEdits) and counts one post.
    void postCurrent();
    // Removes rows; each removal sets the modified flag and runs AfterRowDeleted. The rows are
    // removed from the last to the first, so the others keep their numbers meanwhile.
    void deleteRows(std::vector<int> rows);
    // "Les esborra totes": with 2 rows or more asks "Voleu esborrar tots els %d registres?".
    // False when the user declined.
    bool clearAll();
    // "Esborra els arxius no trobats": every row whose file is not valid. Returns how many.
    int deleteNotFound();

    // "Canvia arxiu" in file mode: the row takes `path` when it is found and viewable. Returns
    // the error shown, "" on success (a file that is missing changes nothing and says nothing).
    QString changeFile(int row, const QString &path);
    // "Assigna/canvia arxiu àudio".
    QString changeAudio(int row, const QString &path);
    // "Elimina la pista d'àudio".
    void clearAudio(int row);
    // The image mark (-1, -1 clears it).
    void setMark(int row, int x, int y);

    // "Canvia el directori...": for the rows given, every row with a file name takes `folder` as
    // its directory and its validity there, and every row with an audio name likewise.
    void changeDirectory(const std::vector<int> &rows, const QString &folder);
    // After a copy or move with redirection: rows whose directory is a source folder take its
    // destination, and the audio directories the same (RedirectAudioDir).
    void redirect(const QHash<QString, QString> &sourceToDestination);
    // The existing files of the rows (and their audio tracks, AddAudioToTransfer) to copy/move.
    QStringList transferFiles() const;
    bool anyValidFile() const;

    // "Comprovació de la presentació...": the problem lines (the validity fields are brought up
    // to date on the way), and what is said when there are none.
    virtual QStringList checkList() = 0;
    virtual QString checkSummary() const = 0;
    // Whether the row is a question (its miniature says "Preg.").
    virtual bool isQuestionRow(int row) const { return (void)row, false; }

    // The window may close: fewer than 3 posts, or closed with OK; otherwise asks "Segur que
    // voleu abandonar les modificacions de la taula?". A pending edit is posted first.
    virtual bool canClose(bool closedWithOk);

    // How a cell is drawn: text and background colours (invalid = the grid's own).
    struct CellColors
    {
        QColor text;
        QColor background;
    };
    CellColors cellColors(int row, int column, bool selected) const;

    bool modified = false;
    int postCount = 0;
    // Set while a derived list fills the table: nothing is counted and nothing renumbered.
    bool loading = false;
    // Set while a batch works over many rows: the controls are not refreshed row by row.
    bool batch = false;
    // Whether the list may hold slide lists and programs (the file filter offers sal and exe).
    bool listsAndPrograms = false;

    // The grid's column titles by field, for the fields shown.
    void setColumnTitle(int field, const QString &title);
    // Whether a field is one of the grid's columns (the rest are kept but not shown).
    void setColumnShown(int field, bool shown);
    // The fields that lead the grid, in this order; the other columns follow in field order.
    void setColumnOrder(std::vector<int> leading);
    bool columnShown(int field) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The controls should show the current row again.
    void controlsChanged();
    void currentChanged(int row);

protected:
    // The hooks. The base does nothing unless its comment says otherwise.
    virtual void ResetAudioOptions() {}
    virtual void ClearQuestionFields(int row) { (void)row; }
    virtual bool CanAccept() = 0;
    virtual void PostPendingEdits() {}
    virtual void AfterRowDeleted(int rowAfter) = 0;
    virtual void AfterRowPosted(int row, bool inserted) = 0;
    virtual void RefreshRowControls() = 0;
    virtual void StoreRowEdits(int row) = 0;
    virtual bool IsRowDefective(int row) const = 0;
    virtual bool IsRowSound(int row) const = 0;
    virtual bool IsRowHidden(int row) const { return (void)row, false; }
    // Grey text for a cell the derived list says is not in order (the base has none).
    virtual bool AdjustCellFont(int row, int field) const { return (void)row, (void)field, false; }

    // Puts a value without announcing it (for batch work that resets the model afterwards).
    // A value that differs from the one there empties the row's source field.
    void putValue(int row, int field, const QVariant &v);
    // The field that keeps what a row was read from, as long as nothing of it changes.
    void setSourceField(int field) { m_sourceField = field; }
    // No row is current (the table is about to be filled again).
    void forgetCurrent();
    // Exchanges two rows whole.
    void swapRows(int a, int b);
    // Tells the views that every row may have changed.
    void announceAll();
    void announceRow(int row);

    // The record of a row as it stands.
    const MemTable::Record &record(int row) const { return m_table.record(row); }

public:
    // Hooks the editor's commands reach directly.
    bool canAccept() { return CanAccept(); }
    void postPendingEdits() { PostPendingEdits(); }
    bool isRowDefective(int row) const { return IsRowDefective(row); }
    bool isRowSound(int row) const { return IsRowSound(row); }
    bool isRowHidden(int row) const { return IsRowHidden(row); }

private:
    int columnField(int column) const;
    void rebuildColumns();

    MemTable m_table;
    AudioFields m_audio;
    Prompter &m_prompter;
    int m_current = -1;
    int m_sourceField = -1;
    QHash<int, QString> m_titles;
    std::vector<bool> m_shown;
    std::vector<int> m_columns; // column -> field
    std::vector<int> m_leading; // the fields first in the grid
};

// Splits a path into the row's directory (no trailing separator), name and lower-case
// extension, taking '\' and '/' as separators.
struct SplitRowPath
{
    QString dir, name, ext;
};
SplitRowPath splitRowPath(const QString &path);
// The path a row names: directory + separator + name + "." + extension.
QString joinRowPath(const QString &dir, const QString &name, const QString &ext);
