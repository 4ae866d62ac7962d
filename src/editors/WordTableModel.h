#pragma once

#include <QAbstractTableModel>

#include <vector>

class WordTableRows;

// The words table editor's rows as a grid's model: two columns titled by the orientation in
// force, the row in edit shown as it is typed and a new row shown where it was started. Typing
// into another row posts the row in edit first; a refused post is shown by the rows and keeps
// the typing out.
class WordTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit WordTableModel(WordTableRows &rows, QObject *parent = nullptr);

    WordTableRows &rows() { return m_rows; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // One blank row, started as the new row (the row in edit is posted first).
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    // Posts the row in edit; false when it was refused.
    bool post();
    // Drops the row in edit: a new row goes, an edited one shows its stored text again.
    void cancel();
    // Deletes the grid rows given, in any order (the new row among them is cancelled).
    void removeShownRows(std::vector<int> rows);
    // The rows changed behind the model (loaded, pasted, emptied, sorted, saved, swapped).
    void reload();

    // True while the model changes its rows: a view's current row moving meanwhile is the
    // change's doing, not a row left by the user.
    bool changing() const { return m_changing > 0; }

private:
    void rowChanged(int row);

    WordTableRows &m_rows;
    int m_changing = 0;
};
