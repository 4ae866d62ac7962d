#pragma once

#include "player/ui/TFPresSlideList.h"

// The sketch of a slide list. Besides the tabs toggle it has A_AllParagraphs (every paragraph
// of a slide, or only the first), whose state `allParagraphs` the main window keeps; while it is
// on, the sketch needs tabs, so A_ListWithTab is on and cannot be turned off.
class TFPresStdSlideList : public TFPresSlideList
{
    Q_OBJECT

public:
    TFPresStdSlideList(ProgramOptions &options, bool &allParagraphs, TPosSize &memory,
                       QWidget *parent = nullptr);

    QAction *allParagraphsAction() const { return m_allParagraphs; }

protected:
    void storeOptions() override;

private:
    void followAllParagraphs();

    bool &m_allParagraphsState;
    QAction *m_allParagraphs = nullptr;
    bool m_tabsBeforeForcing = false;
};
