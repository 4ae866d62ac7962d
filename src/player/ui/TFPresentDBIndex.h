#pragma once

#include "files/ui/TFPresentRxDBGrid.h"

struct ProgramOptions;
class TPosPresDBIndex;

// The index of a slide list's files as a grid of four columns over the editor's index table.
// A_SortByDir chooses sorting by folder and name for the next index, A_PresAsAscii shows the
// next index as text instead; their states are the options IndexSortByDir and PresIndexAsGrid
// (inverted), read when the window is made and given back when it closes, with its bounds and
// column widths into `memory`. Both must outlive the window.
class TFPresentDBIndex : public TFPresentRxDBGrid
{
    Q_OBJECT

public:
    TFPresentDBIndex(ProgramOptions &options, TPosPresDBIndex &memory, QWidget *parent = nullptr);

    // The index table; the remembered column widths are applied to it.
    void setIndexModel(QAbstractItemModel *model);
    QAction *sortByDirAction() const { return m_sortByDir; }
    QAction *presAsAsciiAction() const { return m_presAsAscii; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    ProgramOptions &m_options;
    TPosPresDBIndex &m_memory;
    QAction *m_sortByDir = nullptr;
    QAction *m_presAsAscii = nullptr;
};
