#include "player/ui/TFPresentDBIndex.h"

#include "config/ProgramOptions.h"
#include "files/TPosPresDBIndex.h"
#include "player/ui/ListingToggles.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QShowEvent>
#include <QTableView>

TFPresentDBIndex::TFPresentDBIndex(ProgramOptions &options, TPosPresDBIndex &memory,
                                   QWidget *parent)
    : TFPresentRxDBGrid(parent), m_options(options), m_memory(memory)
{
    setObjectName(QStringLiteral("TFPresentDBIndex"));
    setWindowTitle(QStringLiteral("Índex"));
    setMinimumSize(206, 120);
    QMenu *others = findChild<QMenu *>(QStringLiteral("MI_Others"));
    m_sortByDir =
        addListingToggle(*this, toolBar(), others, "A_SortByDir",
                         QStringLiteral("Ordenarà per directori i nom"), QStyle::SP_DirIcon);
    m_presAsAscii =
        addListingToggle(*this, toolBar(), others, "A_PresAsAscii",
                         QStringLiteral("Presentarà en mode ascii"), QStyle::SP_FileIcon);
    setToggleHint(m_presAsAscii, fillPercentS(QStringLiteral("Amb aquest botó premut\r\nquan es "
                                                             "cridi l'ordre d'índex es mostrarà "
                                                             "com %s"),
                                              {QStringLiteral("text")}));
    const auto sortHint = [this](bool on) {
        setToggleHint(
            m_sortByDir,
            stateHint(QStringLiteral("S'ordena per directori i nom %so sols pel nom %s"), on));
    };
    connect(m_sortByDir, &QAction::toggled, this, sortHint);
    m_sortByDir->setChecked(m_options.IndexSortByDir);
    sortHint(m_options.IndexSortByDir);
    m_presAsAscii->setChecked(!m_options.PresIndexAsGrid);
    if (const auto g = m_memory.Restore())
        setGeometry(*g);
}

void TFPresentDBIndex::setIndexModel(QAbstractItemModel *model)
{
    setModel(model);
    for (int c = 0; c < int(m_memory.ColumnWidths.size()); ++c)
        if (m_memory.ColumnWidths[std::size_t(c)] > 0)
            grid()->setColumnWidth(c, m_memory.ColumnWidths[std::size_t(c)]);
}

void TFPresentDBIndex::showEvent(QShowEvent *event)
{
    TFPresentRxDBGrid::showEvent(event);
    if (!event->spontaneous())
        if (const auto g = m_memory.Restore())
            setGeometry(*g);
}

void TFPresentDBIndex::closeEvent(QCloseEvent *event)
{
    m_options.IndexSortByDir = m_sortByDir->isChecked();
    m_options.PresIndexAsGrid = !m_presAsAscii->isChecked();
    m_memory.Save(geometry());
    if (grid()->model())
        for (int c = 0; c < int(m_memory.ColumnWidths.size()) && c < grid()->model()->columnCount();
             ++c)
            m_memory.ColumnWidths[std::size_t(c)] = grid()->columnWidth(c);
    TFPresentRxDBGrid::closeEvent(event);
}
