#include "player/ui/TFPresIndexList.h"

#include "config/ProgramOptions.h"
#include "files/TPosSize.h"
#include "player/ui/ListingToggles.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QShowEvent>
#include <QTextEdit>

TFPresIndexList::TFPresIndexList(ProgramOptions &options, TPosSize &memory, QWidget *parent)
    : TFPresentRxRichEdit(parent), m_options(options), m_memory(memory)
{
    setObjectName(QStringLiteral("TFPresIndexList"));
    setWindowTitle(QStringLiteral("Índex"));
    setMinimumSize(265, 120);
    richEdit()->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    richEdit()->setReadOnly(true);
    richEdit()->setLineWrapMode(QTextEdit::NoWrap);
    QMenu *others = findChild<QMenu *>(QStringLiteral("MI_Others"));
    m_sortByDir =
        addListingToggle(*this, toolBar(), others, "A_SortByDir",
                         QStringLiteral("Ordenarà per directori i nom"), QStyle::SP_DirIcon);
    m_presAsGrid = addListingToggle(*this, toolBar(), others, "A_PresAsGrid",
                                    QStringLiteral("Presentarà en mode graella"),
                                    QStyle::SP_FileDialogDetailedView);
    setToggleHint(m_presAsGrid, fillPercentS(QStringLiteral("Amb aquest botó premut\r\nquan es "
                                                            "cridi l'ordre d'índex es mostrarà "
                                                            "com %s"),
                                             {QStringLiteral("a graella")}));
    connect(m_sortByDir, &QAction::toggled, this, [this](bool on) {
        setToggleHint(
            m_sortByDir,
            stateHint(QStringLiteral("S'ordena per directori i nom %so sols pel nom %s"), on));
    });
    m_sortByDir->setChecked(m_options.IndexSortByDir);
    setToggleHint(m_sortByDir,
                  stateHint(QStringLiteral("S'ordena per directori i nom %so sols pel nom %s"),
                            m_options.IndexSortByDir));
    m_presAsGrid->setChecked(m_options.PresIndexAsGrid);
    if (const auto g = m_memory.Restore())
        setGeometry(*g);
}

void TFPresIndexList::showEvent(QShowEvent *event)
{
    TFPresentRxRichEdit::showEvent(event);
    if (!event->spontaneous())
        if (const auto g = m_memory.Restore())
            setGeometry(*g);
}

void TFPresIndexList::closeEvent(QCloseEvent *event)
{
    m_options.IndexSortByDir = m_sortByDir->isChecked();
    m_options.PresIndexAsGrid = m_presAsGrid->isChecked();
    m_memory.Save(geometry());
    TFPresentRxRichEdit::closeEvent(event);
}
