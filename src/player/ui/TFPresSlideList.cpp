#include "player/ui/TFPresSlideList.h"

#include "config/ProgramOptions.h"
#include "files/TPosSize.h"
#include "player/ui/ListingToggles.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QShowEvent>
#include <QTextEdit>

TFPresSlideList::TFPresSlideList(ProgramOptions &options, TPosSize &memory, QWidget *parent)
    : TFPresentRxRichEdit(parent), m_options(options), m_memory(memory)
{
    setObjectName(QStringLiteral("TFPresSlideList"));
    setWindowTitle(QStringLiteral("Llistat de diapositives"));
    setMinimumSize(242, 120);
    // Padded numbers line up only in a fixed-width font.
    richEdit()->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    richEdit()->setReadOnly(true);
    richEdit()->setLineWrapMode(QTextEdit::NoWrap);
    m_othersMenu = findChild<QMenu *>(QStringLiteral("MI_Others"));
    m_listWithTab =
        addListingToggle(*this, toolBar(), m_othersMenu, "A_ListWithTab",
                         QStringLiteral("Separacions amb tabuladors"), QStyle::SP_ArrowRight);
    setToggleHint(m_listWithTab, QStringLiteral("Amb aquest botó premut,\r\nquan s'obri de nou "
                                                "aquesta finestra,\r\ns'utilitzaran tabuladors"));
    m_listWithTab->setChecked(m_options.AsciiListWithTab);
    if (const auto g = m_memory.Restore())
        setGeometry(*g);
}

void TFPresSlideList::showEvent(QShowEvent *event)
{
    TFPresentRxRichEdit::showEvent(event);
    // The remembered place wins over the first showing's centring.
    if (!event->spontaneous())
        if (const auto g = m_memory.Restore())
            setGeometry(*g);
}

void TFPresSlideList::closeEvent(QCloseEvent *event)
{
    storeOptions();
    m_memory.Save(geometry());
    TFPresentRxRichEdit::closeEvent(event);
}

void TFPresSlideList::storeOptions()
{
    m_options.AsciiListWithTab = m_listWithTab->isChecked();
}
