#include "editors/WordTableModel.h"

#include "editors/WordTableRows.h"

#include <algorithm>

using EditState = WordTableRows::EditState;

namespace {

// Counts the model's own changes in progress (they nest: an insertion posts first).
class Changing
{
public:
    explicit Changing(int &count) : m_count(count) { ++m_count; }
    ~Changing() { --m_count; }
    Changing(const Changing &) = delete;
    Changing &operator=(const Changing &) = delete;

private:
    int &m_count;
};

bool validIndex(const QModelIndex &index, const QAbstractItemModel *model)
{
    return index.isValid() && index.model() == model && index.row() < model->rowCount() &&
           index.column() < model->columnCount();
}

} // namespace

WordTableModel::WordTableModel(WordTableRows &rows, QObject *parent)
    : QAbstractTableModel(parent), m_rows(rows)
{}

int WordTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.shownCount();
}

int WordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant WordTableModel::data(const QModelIndex &index, int role) const
{
    if (!validIndex(index, this) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_rows.shownText(index.row(), index.column());
}

QVariant WordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        if (section == 0)
            return m_rows.wordTitle();
        if (section == 1)
            return m_rows.meaningTitle();
        return QVariant();
    }
    // The new row is marked as a database grid marks it; the others are counted from 1.
    if (m_rows.editState() == EditState::Insert && section == m_rows.editRow())
        return QStringLiteral("*");
    return section + 1;
}

Qt::ItemFlags WordTableModel::flags(const QModelIndex &index) const
{
    if (!validIndex(index, this))
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

bool WordTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const Changing guard(m_changing);
    if (!validIndex(index, this) || role != Qt::EditRole)
        return false;
    int row = index.row();
    if (m_rows.editState() != EditState::Browse && row != m_rows.editRow()) {
        // A blank new row above goes away when posted: the row typed into moves up.
        const bool dropsRowAbove = m_rows.editState() == EditState::Insert &&
                                   !m_rows.hasPendingChanges() && m_rows.editRow() < row;
        if (!post())
            return false;
        if (dropsRowAbove)
            --row;
    }
    m_rows.setPending(row, index.column(), value.toString());
    rowChanged(row);
    return true;
}

bool WordTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    const Changing guard(m_changing);
    if (parent.isValid() || count != 1 || row < 0 || row > rowCount())
        return false;
    if (m_rows.editState() == EditState::Insert && !m_rows.hasPendingChanges() &&
        m_rows.editRow() < row)
        --row;
    if (!post())
        return false;
    row = std::clamp(row, 0, m_rows.shownCount());
    beginInsertRows(QModelIndex(), row, row);
    (void)m_rows.beginInsert(row);
    endInsertRows();
    return true;
}

bool WordTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row + count > rowCount())
        return false;
    std::vector<int> rows;
    for (int r = row; r < row + count; ++r)
        rows.push_back(r);
    removeShownRows(std::move(rows));
    return true;
}

bool WordTableModel::post()
{
    const Changing guard(m_changing);
    const int row = m_rows.editRow();
    switch (m_rows.editState()) {
    case EditState::Browse: return true;
    case EditState::Insert:
        if (!m_rows.hasPendingChanges()) {
            cancel();
            return true;
        }
        break;
    case EditState::Edit: break;
    }
    if (!m_rows.postPending().ok())
        return false;
    // The row keeps its place; its text is the tidied one now.
    rowChanged(row);
    return true;
}

void WordTableModel::cancel()
{
    const Changing guard(m_changing);
    const int row = m_rows.editRow();
    switch (m_rows.editState()) {
    case EditState::Browse: return;
    case EditState::Insert:
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.cancelPending();
        endRemoveRows();
        return;
    case EditState::Edit:
        m_rows.cancelPending();
        rowChanged(row);
        return;
    }
}

void WordTableModel::removeShownRows(std::vector<int> rows)
{
    const Changing guard(m_changing);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the last one up, so that the rows still to go keep their numbers.
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
        if (*r < 0 || *r >= rowCount())
            continue;
        beginRemoveRows(QModelIndex(), *r, *r);
        m_rows.removeShown(*r);
        endRemoveRows();
    }
}

void WordTableModel::reload()
{
    const Changing guard(m_changing);
    beginResetModel();
    endResetModel();
}

void WordTableModel::rowChanged(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    Q_EMIT dataChanged(index(row, 0), index(row, 1), {Qt::DisplayRole, Qt::EditRole});
    Q_EMIT headerDataChanged(Qt::Vertical, row, row);
}
