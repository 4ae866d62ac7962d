#pragma once

#include "files/ui/TFPresentRxRichEdit.h"

struct ProgramOptions;
class TPosSize;

// The text index of a slide list's files. A_SortByDir chooses sorting by folder and name for
// the next index, A_PresAsGrid shows the next index as a grid instead; their states are the
// options IndexSortByDir and PresIndexAsGrid, read when the window is made and given back when
// it closes, with its bounds into `memory`. Both must outlive the window.
class TFPresIndexList : public TFPresentRxRichEdit
{
    Q_OBJECT

public:
    TFPresIndexList(ProgramOptions &options, TPosSize &memory, QWidget *parent = nullptr);

    QAction *sortByDirAction() const { return m_sortByDir; }
    QAction *presAsGridAction() const { return m_presAsGrid; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    ProgramOptions &m_options;
    TPosSize &m_memory;
    QAction *m_sortByDir = nullptr;
    QAction *m_presAsGrid = nullptr;
};
