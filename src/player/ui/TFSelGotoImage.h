#pragma once

#include <QDialog>

class HelpRequester;
class MemTable;
class MemTableModel;
class QPushButton;
class QTableView;
class TPosSizeSel;

// The go-to window: the slides that can be gone to in the grid RDBG_Slides, OK, Cancel and
// Help. A double click on a record chooses it. Its bounds and the widths of the Name and
// Explain columns are taken from `memory` when it opens and given back when it closes.
class TFSelGotoImage : public QDialog
{
    Q_OBJECT

public:
    // `table` (RMD_Slides, filled) and `memory` must outlive the window.
    TFSelGotoImage(MemTable &table, TPosSizeSel &memory, QWidget *parent = nullptr);

    void selectRecord(int record);
    // The record chosen, -1 when none is selected.
    int currentRecord() const;
    // The N of the current record, -1 when none.
    int chosenNumber() const;

    QTableView *grid() const { return m_grid; }
    void setHelp(HelpRequester *help, int context);

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeControls();

    MemTable &m_table;
    TPosSizeSel &m_memory;
    MemTableModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_help = nullptr;
    HelpRequester *m_requester = nullptr;
    int m_helpContext = 0;
};
