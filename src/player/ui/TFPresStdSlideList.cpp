#include "player/ui/TFPresStdSlideList.h"

#include "player/ui/ListingToggles.h"

#include <QAction>

TFPresStdSlideList::TFPresStdSlideList(ProgramOptions &options, bool &allParagraphs,
                                       TPosSize &memory, QWidget *parent)
    : TFPresSlideList(options, memory, parent), m_allParagraphsState(allParagraphs)
{
    setObjectName(QStringLiteral("TFPresStdSlideList"));
    m_allParagraphs =
        addListingToggle(*this, toolBar(), m_othersMenu, "A_AllParagraphs",
                         QStringLiteral("Tots els paràgrafs"), QStyle::SP_FileDialogDetailedView);
    m_tabsBeforeForcing = listWithTabAction()->isChecked();
    m_allParagraphs->setChecked(allParagraphs);
    connect(m_allParagraphs, &QAction::toggled, this, [this] { followAllParagraphs(); });
    followAllParagraphs();
}

void TFPresStdSlideList::followAllParagraphs()
{
    const bool on = m_allParagraphs->isChecked();
    setToggleHint(
        m_allParagraphs,
        stateHint(QStringLiteral("Mostra tots els paràgraphs %so sols el primer %s"), on));
    QAction *tabs = listWithTabAction();
    if (on) {
        if (tabs->isEnabled())
            m_tabsBeforeForcing = tabs->isChecked();
        tabs->setChecked(true);
        tabs->setEnabled(false);
    } else if (!tabs->isEnabled()) {
        // Turning it off gives the tabs toggle back as the viewer had left it.
        tabs->setEnabled(true);
        tabs->setChecked(m_tabsBeforeForcing);
    }
}

void TFPresStdSlideList::storeOptions()
{
    TFPresSlideList::storeOptions();
    m_allParagraphsState = m_allParagraphs->isChecked();
}
