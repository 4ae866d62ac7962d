#include "editors/ui/TFEditSAL.h"

#include "editors/SlideOverview.h"
#include "files/HelpContexts.h"
#include "files/MemTable.h"
#include "files/MemTableModel.h"
#include "files/Prompter.h"
#include "files/ui/TLsFilelistView27.h"
#include "player/PlayerView.h"
#include "player/PresentationSession.h"
#include "player/ui/TFPresIndexList.h"
#include "player/ui/TFPresStdSlideList.h"
#include "player/ui/TFPresentDBIndex.h"
#include "presentation/SlideList.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace {

// The index table, in memory and rebuilt each time: the grid window shows it.
class IndexTableModel : public MemTableModel
{
public:
    IndexTableModel(std::unique_ptr<MemTable> table, QObject *parent)
        : MemTableModel(*table, Editing::ReadOnly, parent), m_owned(std::move(table))
    {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char *labels[] = {"Directori", "Nom", "Ext", "Núm."};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
            return QString::fromUtf8(labels[section]);
        return MemTableModel::headerData(section, orientation, role);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::TextAlignmentRole && index.column() == 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return MemTableModel::data(index, role);
    }

private:
    std::unique_ptr<MemTable> m_owned;
};

std::unique_ptr<MemTable> indexTable(const SlideIndex &index)
{
    using F = MemTable::Field;
    using K = MemTable::FieldKind;
    auto table = std::make_unique<MemTable>(
        QStringLiteral("RMD_Index"),
        std::vector<F>{F{QStringLiteral("Dir"), K::String, 0, false, false},
                       F{QStringLiteral("Name"), K::String, 0, false, false},
                       F{QStringLiteral("Ext"), K::String, 0, false, false},
                       F{QStringLiteral("Num"), K::String, kIndexNumWidth, false, false}});
    for (const IndexEntry &e : index.entries) {
        MemTable::Record r = table->emptyRecord();
        (void)table->setField(r, 0, e.dir);
        (void)table->setField(r, 1, e.name);
        (void)table->setField(r, 2, e.ext);
        (void)table->setField(r, 3, e.num);
        (void)table->append(r);
    }
    return table;
}

} // namespace

TFEditSAL::TFEditSAL(EditorServices &services, SlideEditorMemory &memory, QWidget *parent)
    : TFEditSAL0(services, parent), m_memory(memory)
{
    setObjectName(QStringLiteral("TFEditSAL"));
    m_noNumbersChoice = &m_memory.noNumbers;
    SlideListRows &r = slideRows();
    QAction *save =
        addCommand("A_E_SaveAs", QStringLiteral("Desa la presentació com..."),
                   QStringLiteral("Desa la taula\r\na %1").arg(QStringLiteral("un arxiu \"sal\"")),
                   nullptr, nullptr, [this] { saveAs(); });
    finalMenu()->insertAction(finalMenu()->actions().value(1), save);
    auto other = [this](const char *name, const QString &caption, const QString &hint,
                        const std::function<void()> &run) {
        addOthersCommand(addCommand(name, caption, hint, nullptr, nullptr, run));
    };
    other("A_O_SetPosNumberToFN", QStringLiteral("Posa un número d'ordre als arxius"), QString(),
          [this, &r] {
              if (r.numberFiles(true))
                  leftList()->Reread();
          });
    other("A_O_DelPosNumberFromFN", QStringLiteral("Treu el número d'ordre dels arxius"), QString(),
          [this, &r] {
              if (r.numberFiles(false))
                  leftList()->Reread();
          });
    other("A_O_MkIndex", QStringLiteral("Mostra l'índex..."),
          QStringLiteral("Crea i mostra l'índex"), [this] { showIndex(); });
    other("A_O_MkSketch", QStringLiteral("Mostra el guió..."),
          QStringLiteral("Crea i mostra un guió\r\no el contingut de les diapositives"),
          [this] { showSketch(); });
    applyState(m_memory.window);
}

void TFEditSAL::saveAs()
{
    SlideListRows &r = slideRows();
    if (!r.canAccept())
        return;
    r.postPendingEdits();
    PresentationSession &session = services().session;
    const QString path = services().playerView
                             ? services().playerView->askSaveSlideListPath(session.SlideListPath)
                             : QString();
    if (path.isEmpty())
        return;
    SlideList list;
    list.lines = r.writeLines();
    list.encoding = session.SlideLines.encoding;
    list.encodingKnown = session.SlideLines.encodingKnown;
    if (list.save(path, prompter()).ok()) {
        m_saved = true;
        r.modified = false;
        list.modified = false;
        session.SlideLines = list;
        if (path != session.SlideListPath)
            session.PreviousListPath = session.SlideListPath;
        session.SlideListPath = path;
        if (session.OfferToSaveConfig())
            session.SavePresentationConfig();
    }
    // Saved or not, the rows go back to the presentation; a failure leaves it modified.
    closeWithOk();
}

void TFEditSAL::showIndex()
{
    SlideListRows &r = slideRows();
    if (r.count() == 0)
        return;
    r.postPendingEdits();
    ProgramOptions &options = services().session.Options;
    const SlideIndex index = BuildSlideIndex(overviewRows(r), options.IndexSortByDir);
    if (index.entries.empty()) {
        prompter().ShowInfo(NothingToIndexText());
        return;
    }
    skipNextReread();
    if (options.PresIndexAsGrid) {
        auto *window = new TFPresentDBIndex(options, m_memory.gridIndex, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowModality(Qt::ApplicationModal);
        window->setWindowTitle(QStringLiteral("Índex"));
        auto *model = new IndexTableModel(indexTable(index), window);
        window->setIndexModel(model);
        if (auto *view = window->findChild<QTableView *>())
            view->setColumnHidden(0, !index.severalDirs);
        window->setHelp(services().help, helpNumber(HelpContext::GridIndex));
        window->show();
        return;
    }
    auto *window = new TFPresIndexList(options, m_memory.textIndex, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->setWindowTitle(QStringLiteral("Índex"));
    window->setPlainText(
        SlideIndexLines(index, options.IndexSortByDir, m_memory.noNumbers).join(QLatin1Char('\n')));
    window->setHelp(services().help, helpNumber(HelpContext::TextIndex));
    window->show();
}

void TFEditSAL::showSketch()
{
    SlideListRows &r = slideRows();
    if (r.count() == 0)
        return;
    r.postPendingEdits();
    ProgramOptions &options = services().session.Options;
    const QStringList lines = SlideSketchLines(overviewRows(r), m_memory.allParagraphs,
                                               options.AsciiListWithTab, m_memory.noNumbers);
    skipNextReread();
    auto *window = new TFPresStdSlideList(options, m_memory.allParagraphs, m_memory.sketch, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->setWindowTitle(QStringLiteral("Llistat de diapositives"));
    window->setPlainText(lines.join(QLatin1Char('\n')));
    window->setHelp(services().help, helpNumber(HelpContext::SketchListing));
    window->show();
}
