#pragma once

#include "files/ui/TFPresentRxRichEdit.h"

struct ProgramOptions;
class TPosSize;

// A slide listing as text (the order listing, and the sketch window built on it). Its toggle
// A_ListWithTab chooses tabs instead of padded numbers for the next opening; its state comes
// from the option AsciiListWithTab when the window is made and goes back to it when the window
// closes, with the window's bounds into `memory`. Both must outlive the window.
class TFPresSlideList : public TFPresentRxRichEdit
{
    Q_OBJECT

public:
    TFPresSlideList(ProgramOptions &options, TPosSize &memory, QWidget *parent = nullptr);

    QAction *listWithTabAction() const { return m_listWithTab; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Gives the toggles' states back to the options (the window is closing).
    virtual void storeOptions();

    ProgramOptions &m_options;
    TPosSize &m_memory;
    QMenu *m_othersMenu = nullptr;

private:
    QAction *m_listWithTab = nullptr;
};
