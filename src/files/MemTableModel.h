#pragma once

#include "files/MemTable.h"

#include <QAbstractTableModel>

// A MemTable as a table model: one row per record, one column per field, the field names as
// headers. Read-only, or editable with rows inserted and removed for the windows that edit a
// table in a grid. The table must outlive the model; a change made to it directly is announced
// with reload().
class MemTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Editing { ReadOnly, Editable };

    explicit MemTableModel(MemTable &table, Editing editing = Editing::ReadOnly,
                           QObject *parent = nullptr);

    MemTable &table() { return m_table; }
    bool isEditable() const { return m_editing == Editing::Editable; }
    // The table was changed behind the model's back (read again, cleared, sorted).
    void reload();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Converts the value to the field's kind; a text that does not convert is refused.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // Blank records, filled in afterwards; refused by a read-only model.
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

private:
    MemTable &m_table;
    Editing m_editing;
};
