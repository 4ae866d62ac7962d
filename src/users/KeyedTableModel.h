#pragma once

#include "users/KeyedTable.h"

#include <QAbstractTableModel>
#include <QStringList>

class Prompter;

// A users-module list as a grid's model: the stored rows, with the row being edited or inserted
// shown as it is typed. A cell typed into takes its row into edit; the row is stored when the
// grid moves to another row, or by post(); a refused post is shown and the row stays in edit.
// Passwords are shown as asterisks.
class KeyedTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    KeyedTableModel(KeyedTable &table, QStringList labels, Prompter &prompter,
                    QObject *parent = nullptr);

    KeyedTable &keyedTable() { return m_table; }
    // The column that holds a password, -1 when none.
    int passwordColumn() const { return m_passwordColumn; }
    // Columns shown: the fields with a label.
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    // Stores the row in edit; false (with the message shown) when refused.
    bool post();
    void cancel();
    // The table changed behind the model (loaded, sorted, rows deleted).
    void reload();
    // The colour rule of a row, answered by the window (domains: valid or not).
    bool rowValid(int row) const;

private:
    QString fieldOf(int column) const { return m_table.table().fields()[std::size_t(column)].name; }

    KeyedTable &m_table;
    QStringList m_labels;
    Prompter &m_prompter;
    int m_passwordColumn = -1;
};
