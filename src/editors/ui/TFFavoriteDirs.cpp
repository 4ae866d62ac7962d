#include "editors/ui/TFFavoriteDirs.h"

#include "editors/FavoriteDirList.h"
#include "files/FileChecks.h"
#include "files/HelpContexts.h"
#include "files/MemTableModel.h"
#include "files/Prompter.h"
#include "files/ui/RecordNavigator.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QShowEvent>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

const QString kDirectory = QStringLiteral("Directory");

// The favourite directories as a grid: its one column headed "Directori", and a row inserted
// only with the directory the window supplies (or not at all).
class FavoriteDirsModel : public MemTableModel
{
public:
    FavoriteDirsModel(MemTable &table, std::function<QString()> newDirectory)
        : MemTableModel(table, Editing::Editable), m_newDirectory(std::move(newDirectory))
    {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
            return QStringLiteral("Directori");
        return MemTableModel::headerData(section, orientation, role);
    }

    bool insertRows(int row, int count, const QModelIndex &parent) override
    {
        if (count != 1)
            return false;
        const QString dir = m_newDirectory();
        if (dir.isEmpty() || !MemTableModel::insertRows(row, 1, parent))
            return false;
        return setData(index(row, 0), dir);
    }

private:
    std::function<QString()> m_newDirectory;
};

} // namespace

TFFavoriteDirs::TFFavoriteDirs(const QStringList &favDirs, const QString &treeDirectory,
                               Prompter &prompter, QWidget *parent)
    : TFPresEditRxDBGrid(parent), m_prompter(prompter), m_treeDirectory(treeDirectory),
      m_table(QStringLiteral("FavDirs"),
              {{kDirectory, MemTable::FieldKind::String, 0, false, false}})
{
    setObjectName(QStringLiteral("TFFavoriteDirs"));
    setWindowTitle(QStringLiteral("Directoris preferits"));
    m_model = std::make_unique<FavoriteDirsModel>(m_table, [this]() -> QString {
        const Fallible<void> fit = checkNewFavoriteDir(this->favDirs(), m_treeDirectory);
        if (!fit.ok()) {
            if (!fit.error().isEmpty())
                m_prompter.ShowError(fit.error());
            return QString();
        }
        return m_treeDirectory;
    });
    reloadTable(favDirs, QString());
    setModel(m_model.get());
    // A double click chooses; typing or F2 edits.
    grid()->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(grid(), &QTableView::doubleClicked, this, [this] { selectCurrent(); });

    using B = RecordNavigator::Button;
    const struct
    {
        B button;
        const char *hint; // UTF-8
    } hints[] = {
        {B::First, "Al primer directori"},
        {B::Last, "A l'últim directori"},
        {B::Bookmark, "Posa un punt de localització a aquest directori"},
        {B::GotoBookmark, "Al punt de localització assignat"},
        {B::Insert, "Afegeix un directori"},
        {B::Delete, "Suprimeix un directori"},
    };
    for (const auto &h : hints) {
        navigator()->button(h.button)->setToolTip(QString::fromUtf8(h.hint));
        navigator()->button(h.button)->setAccessibleName(QString::fromUtf8(h.hint));
    }

    // The window's own commands, as words on the toolbar after the navigator.
    QAction *helpButton = action(QStringLiteral("A_Help"));
    const auto command = [this, helpButton](const char *name, const QString &caption,
                                            const QString &hint) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(hint);
        a->setStatusTip(hint);
        gridMenu()->addAction(a);
        toolBar()->insertAction(helpButton, a);
        if (auto *b = qobject_cast<QToolButton *>(toolBar()->widgetForAction(a))) {
            b->setObjectName(QStringLiteral("TB_") + QLatin1String(name + 2));
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        addAction(a);
        return a;
    };
    gridMenu()->addSeparator();
    QAction *sort =
        command("A_G_Sort", QStringLiteral("Ordena"), QStringLiteral("Ordena per ordre alfabètic"));
    QAction *select = command("A_G_Select", QStringLiteral("Selecciona aquest"),
                              QStringLiteral("Selecciona aquest directori"));
    connect(sort, &QAction::triggered, this, [this] { sortDirectories(); });
    connect(select, &QAction::triggered, this, [this] { selectCurrent(); });
    toolBar()->insertSeparator(helpButton);

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        // Esc while typing drops what was typed; otherwise it closes the window.
        if (grid()->indexWidget(grid()->currentIndex()))
            endPendingEdit(false);
        else
            close();
    });
}

TFFavoriteDirs::~TFFavoriteDirs()
{
    // The grid lets go of the model before the model goes.
    grid()->setModel(nullptr);
}

void TFFavoriteDirs::setHelp(HelpRequester *help)
{
    TFPresentRxDBGrid::setHelp(help, helpNumber(HelpContext::FavoriteDirs));
}

void TFFavoriteDirs::reloadTable(const QStringList &dirs, const QString &current)
{
    m_table.clear();
    for (const QString &d : dirs) {
        MemTable::Record r = m_table.emptyRecord();
        (void)m_table.setField(r, 0, d);
        (void)m_table.append(r);
    }
    m_model->reload();
    const int row = int(dirs.indexOf(current));
    if (row >= 0)
        grid()->setCurrentIndex(m_model->index(row, 0));
}

QStringList TFFavoriteDirs::favDirs() const
{
    QStringList out;
    for (int i = 0; i < m_table.recordCount(); ++i) {
        const QString d = m_table.value(i, kDirectory).toString();
        if (!d.isEmpty())
            out << d;
    }
    return out;
}

void TFFavoriteDirs::endPendingEdit(bool commit)
{
    QWidget *editor = grid()->indexWidget(grid()->currentIndex());
    if (!editor)
        return;
    QAbstractItemDelegate *delegate = grid()->itemDelegateForIndex(grid()->currentIndex());
    if (commit)
        Q_EMIT delegate->commitData(editor);
    Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TFFavoriteDirs::insertDirectory()
{
    endPendingEdit(true);
    navigator()->insert();
}

void TFFavoriteDirs::sortDirectories()
{
    endPendingEdit(true);
    const int row = navigator()->currentRow();
    const QString current = row >= 0 ? m_table.value(row, kDirectory).toString() : QString();
    reloadTable(sortedFavoriteDirs(favDirs()), current);
}

void TFFavoriteDirs::selectCurrent()
{
    endPendingEdit(true);
    const int row = navigator()->currentRow();
    if (row < 0)
        return;
    const QString dir = m_table.value(row, kDirectory).toString();
    if (const Fallible<void> found = checkFolderExists(dir); !found.ok()) {
        m_prompter.ShowError(found.error());
        return;
    }
    m_chosen = dir;
    m_accepted = true;
    close();
}

bool TFFavoriteDirs::exec()
{
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &TFFavoriteDirs::closed, &loop, &QEventLoop::quit);
    show();
    loop.exec(QEventLoop::DialogExec);
    return m_accepted;
}

void TFFavoriteDirs::showEvent(QShowEvent *event)
{
    TFPresEditRxDBGrid::showEvent(event);
    if (!m_sized && !event->spontaneous()) {
        m_sized = true;
        setMinimumSize(size());
    }
}

void TFFavoriteDirs::closeEvent(QCloseEvent *event)
{
    // What was being typed stays in the list the owner keeps.
    endPendingEdit(true);
    TFPresEditRxDBGrid::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
