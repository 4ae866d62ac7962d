#include "files/MemTableModel.h"

#include <QDate>
#include <QDateTime>

MemTableModel::MemTableModel(MemTable &table, Editing editing, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_editing(editing)
{}

void MemTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

int MemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.recordCount();
}

int MemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.fields().size());
}

QVariant MemTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const MemTable::Field &field = m_table.fields()[std::size_t(index.column())];
    const QVariant value = m_table.record(index.row())[std::size_t(index.column())];
    if (field.kind == MemTable::FieldKind::Boolean) {
        // A check box rather than a word of any language.
        if (role == Qt::CheckStateRole)
            return value.toBool() ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    }
    if (role == Qt::EditRole)
        return value;
    if (role != Qt::DisplayRole || value.isNull())
        return QVariant();
    switch (field.kind) {
    case MemTable::FieldKind::Date: return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case MemTable::FieldKind::DateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    default: return value;
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return QVariant();
    return m_table.fields()[std::size_t(section)].name;
}

Qt::ItemFlags MemTableModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    const MemTable::Field &field = m_table.fields()[std::size_t(index.column())];
    if (isEditable() && !field.calculated)
        f |= field.kind == MemTable::FieldKind::Boolean ? Qt::ItemIsUserCheckable
                                                        : Qt::ItemIsEditable;
    return f;
}

bool MemTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
        !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    QVariant given = value;
    if (role == Qt::CheckStateRole)
        given = value.toInt() == Qt::Checked;
    else if (role != Qt::EditRole)
        return false;
    MemTable::Record record = m_table.record(index.row());
    if (!m_table.setField(record, index.column(), given))
        return false;
    m_table.replaceAt(index.row(), record);
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
    return true;
}

bool MemTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (!isEditable() || parent.isValid() || count < 1 || row < 0 || row > rowCount())
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_table.insertAt(row + i, m_table.emptyRecord());
    endInsertRows();
    return true;
}

bool MemTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (!isEditable() || parent.isValid() || count < 1 || row < 0 || row + count > rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_table.removeAt(row);
    endRemoveRows();
    return true;
}
