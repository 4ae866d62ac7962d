#include "player/ui/TFSelGotoImage.h"

#include "files/HelpRequester.h"
#include "files/MemTable.h"
#include "files/MemTableModel.h"
#include "files/TPosSizeSel.h"
#include "files/ui/DialogHelp.h"

#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>

#include <algorithm>

namespace {

constexpr int kDesignWidth = 420;
constexpr int kDesignHeight = 300;
constexpr int kMinimumWidth = 360;

// The table's records under the labels the viewer reads.
class GotoSlidesModel : public MemTableModel
{
public:
    using MemTableModel::MemTableModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            switch (section) {
            case 0: return QStringLiteral("N.");
            case 1: return QStringLiteral("Nom");
            case 2: return QStringLiteral("Explicació");
            default: break;
            }
        }
        return MemTableModel::headerData(section, orientation, role);
    }
};

} // namespace

TFSelGotoImage::TFSelGotoImage(MemTable &table, TPosSizeSel &memory, QWidget *parent)
    : QDialog(parent), m_table(table), m_memory(memory)
{
    setObjectName(QStringLiteral("TFSelGotoImage"));
    setWindowTitle(QStringLiteral("Anar a la diapositiva"));
    setModal(true);

    m_model = new GotoSlidesModel(m_table, MemTableModel::Editing::ReadOnly, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("RDBG_Slides"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    // Fixed row heights keep a list of many thousands of slides quick to open and scroll.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->setColumnWidth(
        0, std::max(48, m_grid->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12));
    m_grid->setColumnWidth(1, m_memory.ColumnWidths[0] > 0 ? m_memory.ColumnWidths[0] : 130);
    m_grid->setColumnWidth(2, m_memory.ColumnWidths[1] > 0 ? m_memory.ColumnWidths[1] : 220);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid()) {
            selectRecord(index.row());
            accept();
        }
    });

    m_ok = new QPushButton(QStringLiteral("D'acord"), this);
    m_ok->setObjectName(QStringLiteral("BB_OK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel·la"), this);
    m_cancel->setObjectName(QStringLiteral("BB_Cancel"));
    m_help = new QPushButton(QStringLiteral("Ajuda"), this);
    m_help->setObjectName(QStringLiteral("BB_Help"));
    m_help->setEnabled(false);
    DialogHelp::bindHelpKey(this, m_help);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_requester)
            m_requester->showHelpContext(m_helpContext);
    });

    int buttons = 0;
    for (QPushButton *b : {m_ok, m_cancel, m_help})
        buttons += std::max(75, b->sizeHint().width()) + 8;
    const int buttonHeight = std::max({m_ok->sizeHint().height(), 25});
    // Its design height at least, and room for the three buttons below the grid.
    setMinimumSize(std::max(kMinimumWidth, buttons + 22),
                   std::max(kDesignHeight, 56 + buttonHeight + 120));
    resize(std::max(kDesignWidth, minimumWidth()), minimumHeight());
    if (const auto g = m_memory.Restore())
        setGeometry(*g);
    placeControls();
    if (m_table.recordCount() > 0)
        selectRecord(0);
}

void TFSelGotoImage::setHelp(HelpRequester *help, int context)
{
    m_requester = help;
    m_helpContext = context;
    m_help->setEnabled(help != nullptr);
}

void TFSelGotoImage::selectRecord(int record)
{
    if (record < 0 || record >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(record, 0);
    m_grid->setCurrentIndex(index);
    m_grid->selectRow(record);
    m_grid->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

int TFSelGotoImage::currentRecord() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? index.row() : -1;
}

int TFSelGotoImage::chosenNumber() const
{
    const int record = currentRecord();
    return record < 0 ? -1 : m_table.value(record, QStringLiteral("N")).toInt();
}

void TFSelGotoImage::done(int result)
{
    m_memory.Save(geometry());
    m_memory.ColumnWidths = {m_grid->columnWidth(1), m_grid->columnWidth(2)};
    QDialog::done(result);
}

void TFSelGotoImage::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeControls();
}

void TFSelGotoImage::placeControls()
{
    const int w = width(), h = height();
    m_grid->setGeometry(11, 11, w - 22, h - 70);
    // The buttons side by side, centred, 56 pixels above the bottom edge.
    int total = -8;
    for (QPushButton *b : {m_ok, m_cancel, m_help})
        total += std::max(75, b->sizeHint().width()) + 8;
    int x = std::max(11, (w - total) / 2);
    const int buttonHeight = std::max(m_ok->sizeHint().height(), 25);
    for (QPushButton *b : {m_ok, m_cancel, m_help}) {
        const int bw = std::max(75, b->sizeHint().width());
        b->setGeometry(x, h - 56, bw, buttonHeight);
        x += bw + 8;
    }
}
