#include "users/KeyedTableModel.h"

#include "files/Prompter.h"

KeyedTableModel::KeyedTableModel(KeyedTable &table, QStringList labels, Prompter &prompter,
                                 QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_labels(std::move(labels)),
      m_prompter(prompter), m_passwordColumn(table.fieldIndex(QStringLiteral("Password")))
{}

int KeyedTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_labels.size());
}

int KeyedTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_table.rowCount() + (m_table.state() == KeyedTable::EditState::Insert ? 1 : 0);
}

QVariant KeyedTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const int row = index.row();
    const QString field = fieldOf(index.column());
    QString text;
    const bool pendingRow =
        m_table.state() != KeyedTable::EditState::Browse && row == m_table.editRow();
    if (pendingRow)
        text = m_table.pendingText(field);
    else {
        // Rows after an inserted one move down by one.
        const int stored =
            m_table.state() == KeyedTable::EditState::Insert && row > m_table.editRow() ? row - 1
                                                                                        : row;
        text = m_table.text(stored, field);
    }
    // A password is never shown: a fixed row of asterisks, whatever its length.
    if (index.column() == m_passwordColumn && role == Qt::DisplayRole && !text.isEmpty())
        return QString(6, QLatin1Char('*'));
    return text;
}

QVariant KeyedTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_labels.value(section);
    return section + 1;
}

Qt::ItemFlags KeyedTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool KeyedTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row();
    if (m_table.state() != KeyedTable::EditState::Browse && row != m_table.editRow() && !post())
        return false;
    if (m_table.state() == KeyedTable::EditState::Browse) {
        m_table.beginEdit(row);
        if (m_table.state() != KeyedTable::EditState::Edit)
            return false;
    }
    QVariant v = value;
    if (fieldOf(index.column()) == QLatin1String("Privilege"))
        v = value.toString().left(1).toUpper();
    m_table.setPending(fieldOf(index.column()), v);
    Q_EMIT dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    return true;
}

bool KeyedTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count != 1)
        return false;
    if (m_table.state() != KeyedTable::EditState::Browse && !post())
        return false;
    row = std::clamp(row, 0, m_table.rowCount());
    beginInsertRows(QModelIndex(), row, row);
    m_table.beginInsert(row);
    endInsertRows();
    return true;
}

bool KeyedTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid())
        return false;
    if (m_table.state() != KeyedTable::EditState::Browse)
        cancel();
    beginResetModel();
    for (int i = row + count - 1; i >= row; --i)
        m_table.deleteRow(i);
    endResetModel();
    return true;
}

bool KeyedTableModel::post()
{
    if (m_table.state() == KeyedTable::EditState::Browse)
        return true;
    const auto posted = m_table.post();
    if (!posted.ok()) {
        m_prompter.ShowError(posted.error());
        return false;
    }
    reload();
    return true;
}

void KeyedTableModel::cancel()
{
    m_table.cancel();
    reload();
}

void KeyedTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

bool KeyedTableModel::rowValid(int row) const
{
    const int f = m_table.fieldIndex(QStringLiteral("ValidDir"));
    return f < 0 || m_table.table().value(row, QStringLiteral("ValidDir")).toBool();
}
