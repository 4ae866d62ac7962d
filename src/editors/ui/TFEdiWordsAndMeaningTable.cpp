#include "editors/ui/TFEdiWordsAndMeaningTable.h"

#include "editors/WordTableModel.h"
#include "editors/ui/TFMakeSalFromWmlOneAnswer.h"
#include "editors/ui/TFMakeSalFromWmlWithRadioButtons.h"
#include "files/FileNames.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "files/Prompter.h"
#include "files/Shell.h"
#include "files/TPosSize.h"
#include "files/TableText.h"
#include "files/ui/CommandIcons.h"
#include "files/ui/RecordNavigator.h"
#include "player/PresentationSession.h"
#include "player/ui/ListingToggles.h"
#include "tables/MeaningTables.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

using EditState = WordTableRows::EditState;

const QString kUpperFirstHint =
    QStringLiteral("Activa %so desactiva %s el posar la primera lletra a majúscules");

// The grid of words: the window's commands hand it the text of a cell being typed into, and it
// appends a row as a database grid does when the user goes on past the last one (Down on the
// last row, Tab on its last cell).
class WordsGrid : public QTableView
{
public:
    using QTableView::QTableView;

    std::function<void()> appendRow;

    void commitOpenEditor()
    {
        if (state() != QAbstractItemView::EditingState)
            return;
        if (QWidget *editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

protected:
    bool onLastRow() const
    {
        return currentIndex().isValid() && currentIndex().row() == model()->rowCount() - 1;
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && onLastRow() &&
            appendRow) {
            appendRow();
            return;
        }
        QTableView::keyPressEvent(event);
    }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        if (action == MoveNext && onLastRow() &&
            currentIndex().column() == model()->columnCount() - 1 && appendRow) {
            appendRow();
            return model()->index(model()->rowCount() - 1, 0);
        }
        return QTableView::moveCursor(action, modifiers);
    }
};

// A cell's editor takes no more characters than its field holds.
class WordsDelegate : public QStyledItemDelegate
{
public:
    WordsDelegate(const MemTable &table, QObject *parent)
        : QStyledItemDelegate(parent), m_table(table)
    {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        const int field = index.column();
        if (auto *line = qobject_cast<QLineEdit *>(editor);
            line && field >= 0 && field < int(m_table.fields().size()))
            line->setMaxLength(m_table.fields()[std::size_t(field)].width);
        return editor;
    }

private:
    const MemTable &m_table;
};

QIcon standardIcon(const QWidget *w, QStyle::StandardPixmap p)
{
    return w->style()->standardIcon(p);
}

} // namespace

TFEdiWordsAndMeaningTable::TFEdiWordsAndMeaningTable(EditorServices &services,
                                                     MeaningTable &mainTable, bool &swapped,
                                                     QWidget *parent)
    : QDialog(parent), m_services(services), m_mainTable(mainTable), m_swapped(swapped),
      m_rows(services.prompter)
{
    setObjectName(QStringLiteral("TFEdiWordsAndMeaningTable"));
    setModal(true);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setMinimumHeight(100);
    setSizeGripEnabled(true);
    m_rows.swapped = m_swapped;
    m_rows.upperFirst = m_services.session.Options.SWmlFieldsUpCase1stChar;
    m_model = new WordTableModel(m_rows, this);
    buildWindow();
    buildCommands();

    chooseSavePath = [this](const QString &proposed) {
        // The main window's save dialog for words tables, when there is one.
        if (m_services.askSaveTablePath)
            return m_services.askSaveTablePath(true, proposed);
        QFileDialog dialog(this, QStringLiteral("Desa la taula de paraules i significats"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(QStringLiteral("Paraules i significats (*.wml)"));
        dialog.setDefaultSuffix(QStringLiteral("wml"));
        const QFileInfo info(proposed);
        if (!proposed.isEmpty() && info.absoluteDir().exists())
            dialog.setDirectory(info.absolutePath());
        if (!proposed.isEmpty())
            dialog.selectFile(info.fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    openNewTable();
}

TFEdiWordsAndMeaningTable::~TFEdiWordsAndMeaningTable()
{
    // The grid goes before the rows: a cell editor losing the focus as the window hides would
    // hand its text to rows no longer there.
    delete m_grid;
    delete m_model;
}

void TFEdiWordsAndMeaningTable::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    layout->setMenuBar(menuBar);
    auto addMenu = [menuBar](const char *name, const QString &title) {
        QMenu *m = menuBar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    m_fileMenu = addMenu("MI_File", QStringLiteral("&Arxiu"));
    m_editMenu = addMenu("MI_Edit", QStringLiteral("&Edició"));
    m_rowMenu = addMenu("MI_Rows", QStringLiteral("&Fila"));
    m_tableMenu = addMenu("MI_Table", QStringLiteral("&Taula"));

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("TBar_Words"));
    m_toolBar->setIconSize(QSize(20, 20));
    layout->addWidget(m_toolBar);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(4, 2, 4, 4);
    body->setSpacing(2);
    auto *navRow = new QHBoxLayout;
    m_navigator = new RecordNavigator(this);
    m_navigator->setObjectName(QStringLiteral("moDBN_Words"));
    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("L_RecordCount"));
    m_counter->setMinimumWidth(
        m_counter->fontMetrics().horizontalAdvance(QStringLiteral(" 0000 / 0000")));
    navRow->addWidget(m_navigator);
    navRow->addWidget(m_counter);
    navRow->addStretch(1);
    body->addLayout(navRow);

    auto *grid = new WordsGrid(this);
    grid->appendRow = [this] { appendRow(); };
    m_grid = grid;
    m_grid->setObjectName(QStringLiteral("RxDBG_WML"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new WordsDelegate(m_rows.table(), m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    // The word column is as wide as its twenty characters; the meaning takes the rest.
    m_grid->horizontalHeader()->resizeSection(
        0, m_grid->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    body->addWidget(m_grid, 1);
    layout->addLayout(body, 1);

    m_navigator->attach(m_grid);
    m_navigator->setEditing(true);
    m_navigator->setPostAndCancel(true);
    // The record this grid holds is a row ("fila").
    using B = RecordNavigator::Button;
    const struct
    {
        B button;
        const char *hint; // UTF-8
    } hints[] = {
        {B::First, "Primera fila"},
        {B::Prior, "Fila anterior"},
        {B::Next, "Fila següent"},
        {B::Last, "Última fila"},
        {B::Insert, "Insereix una fila"},
        {B::Delete, "Esborra la fila"},
        {B::Bookmark, "Anota aquesta fila"},
        {B::GotoBookmark, "Vés a la fila anotada"},
        {B::Post, "Desa els canvis de la fila"},
        {B::Cancel, "Cancel·la els canvis de la fila"},
    };
    for (const auto &h : hints) {
        m_navigator->button(h.button)->setToolTip(QString::fromUtf8(h.hint));
        m_navigator->button(h.button)->setAccessibleName(QString::fromUtf8(h.hint));
    }
    connect(m_navigator, &RecordNavigator::postClicked, this, [this] {
        commitCell();
        if (m_model->post())
            updateCommands();
    });
    connect(m_navigator, &RecordNavigator::cancelClicked, this, [this] {
        m_model->cancel();
        offerRowWhenEmpty();
        updateCommands();
    });

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFEdiWordsAndMeaningTable::currentRowChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { updateCommands(); });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] { updateCommands(); });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { updateCommands(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { updateCommands(); });
}

QAction *TFEdiWordsAndMeaningTable::addCommand(const char *name, const QString &caption,
                                               const QString &hint, QMenu *menu, QToolBar *bar,
                                               const QIcon &icon, const std::function<void()> &run)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setIcon(icon);
    if (!hint.isEmpty())
        setToggleHint(a, hint);
    if (run)
        connect(a, &QAction::triggered, this, run);
    if (menu)
        menu->addAction(a);
    if (bar)
        addToolBarButton(bar, a, QStringLiteral("TB_") + QString::fromLatin1(name).mid(2));
    addAction(a);
    m_commands.insert(a->objectName(), a);
    return a;
}

void TFEdiWordsAndMeaningTable::buildCommands()
{
    QMenu *f = m_fileMenu;
    QToolBar *bar = m_toolBar;
    const QString saveHint = QStringLiteral("Desa la taula\r\na %1");
    addCommand("A_F_Save", QStringLiteral("Desa"),
               saveHint.arg(QStringLiteral("l'arxiu \"wml\" actual")), f, bar,
               standardIcon(this, QStyle::SP_DialogSaveButton), [this] { save(); });
    addCommand("A_F_SaveAs", QStringLiteral("Desa com..."),
               saveHint.arg(QStringLiteral("un arxiu \"wml\"")), f, bar,
               glyphIcon(QStringLiteral("…")), [this] { saveAs(); });
    f->addSeparator();
    bar->addSeparator();
    const QString makeHint =
        QStringLiteral("Crea un arxiu sal des d'aquesta taula\r\non en cada diapositiva:\r\n");
    addCommand(
        "A_F_Mk_SalWithRadioButtons", QStringLiteral("Crea un arxiu sal amb respostes presents..."),
        makeHint + QStringLiteral("es presenten les respostes (la correcta i les "
                                  "incorrectes)"),
        f, bar, glyphIcon(QStringLiteral("◉"), QColor(0, 100, 0)), [this] { generate(true); });
    addCommand(
        "A_F_Mk_SalWithOneAnswer", QStringLiteral("Idem amb resposta mental o a teclejar..."),
        makeHint + QStringLiteral("s'espera que digueu mentalment o teclejeu la resposta "
                                  "correcta"),
        f, bar, glyphIcon(QStringLiteral("?"), QColor(0, 100, 0)), [this] { generate(false); });
    f->addSeparator();
    bar->addSeparator();
    addCommand("A_F_Notepad", QStringLiteral("Bloc de notes"),
               QStringLiteral("Obre el bloc de notes"), f, bar,
               standardIcon(this, QStyle::SP_FileIcon), [this] { startNotepad(); });
    f->addSeparator();
    addCommand("A_F_Close", QStringLiteral("Tanca"), QStringLiteral("Tanca la finestra"), f,
               nullptr, commandIcon(CommandIcon::Exit), [this] { close(); });

    QMenu *e = m_editMenu;
    addCommand("A_E_CopyToClipboard", QStringLiteral("Copia al portapapers"),
               QStringLiteral("Copia al portapapers, en format delimitat"), e, bar,
               commandIcon(CommandIcon::Copy), [this] { copyToClipboard(); });
    addCommand("A_E_PasteFromClipboard", QStringLiteral("Enganxa des del portapapers"),
               QStringLiteral("Carrega paraules (en format delimitat) des del portapapers"), e, bar,
               commandIcon(CommandIcon::Paste), [this] { pasteFromClipboard(); });
    e->addSeparator();
    QAction *upper =
        addCommand("A_E_UpCase1stChar", QStringLiteral("Posa la primera lletra a majúscula"),
                   QString(), e, bar, glyphIcon(QStringLiteral("Aa")), nullptr);
    upper->setCheckable(true);
    upper->setChecked(m_rows.upperFirst);
    setToggleHint(upper, stateHint(kUpperFirstHint, m_rows.upperFirst));
    connect(upper, &QAction::toggled, this, [this](bool on) { setUpperFirst(on); });
    bar->addSeparator();

    QMenu *r = m_rowMenu;
    addCommand("A_R_Append", QStringLiteral("Afegeix al final"), QString(), r, bar,
               glyphIcon(QStringLiteral("+"), QColor(0x20, 0x90, 0x30)), [this] { appendRow(); });
    addCommand("A_R_Insert", QStringLiteral("Insereix abans de l'actual"), QString(), r, bar,
               glyphIcon(QStringLiteral("+↑"), QColor(0x20, 0x90, 0x30)), [this] { insertRow(); });
    addCommand("A_R_Delete", QStringLiteral("Esborra fila(es)"), QString(), r, bar,
               commandIcon(CommandIcon::Delete), [this] { deleteSelectedRows(); });
    bar->addSeparator();

    QMenu *t = m_tableMenu;
    addCommand("A_T_First", QStringLiteral("Vés al principi de la taula"), QString(), t, nullptr,
               commandIcon(CommandIcon::First), [this] { m_navigator->first(); });
    addCommand("A_T_Last", QStringLiteral("Vés al final de la taula"), QString(), t, nullptr,
               commandIcon(CommandIcon::Last), [this] { m_navigator->last(); });
    addCommand("A_T_BkSet", QStringLiteral("Anota una fila"), QString(), t, nullptr,
               commandIcon(CommandIcon::Bookmark), [this] { m_navigator->setBookmark(); });
    addCommand("A_T_BkGoto", QStringLiteral("Vés a la fila anotada"), QString(), t, nullptr,
               commandIcon(CommandIcon::GotoBookmark), [this] { m_navigator->gotoBookmark(); });
    t->addSeparator();
    const QString sortHint = QStringLiteral("Ordena pel contingut de la columna ");
    auto sort = [this](bool byWord) {
        commitCell();
        if (!m_model->post())
            return;
        const int row = m_grid->currentIndex().row();
        (void)(byWord ? m_rows.sortByWord() : m_rows.sortByMeaning());
        refreshGrid(row);
    };
    addCommand("A_T_Sort1", QStringLiteral("Ordena la taula per la 1ª columna"),
               sortHint + QStringLiteral("1"), t, bar, glyphIcon(QStringLiteral("↓1")),
               [sort] { sort(true); });
    addCommand("A_T_Sort2", QStringLiteral("Ordena la taula per la 2ª columna"),
               sortHint + QStringLiteral("2"), t, bar, glyphIcon(QStringLiteral("↓2")),
               [sort] { sort(false); });
    t->addSeparator();
    addCommand("A_T_Empty", QStringLiteral("Buida la taula"), QStringLiteral("Buida la llista"), t,
               bar, commandIcon(CommandIcon::Clear), [this] {
                   commitCell();
                   if (!m_model->post())
                       return;
                   (void)m_rows.empty();
                   refreshGrid(0);
               });
    t->addSeparator();
    addCommand("A_T_CommuteColumnsFunction",
               QStringLiteral("Intercanvia la utilitat de les columnes"),
               QStringLiteral("Intercanvia la utilitat pregunta-resposta de les columnes"), t, bar,
               glyphIcon(QStringLiteral("⇄")), [this] { swapColumns(); });
    bar->addSeparator();
    addToolBarButton(bar, command(QStringLiteral("A_F_Close")), QStringLiteral("TB_F_Close"));
}

void TFEdiWordsAndMeaningTable::openCurrentTable()
{
    m_rows.loadFrom(m_mainTable);
    m_fileName = m_mainTable.fileName;
    setCaption();
    refreshGrid(m_rows.count() - 1);
}

void TFEdiWordsAndMeaningTable::openNewTable()
{
    m_rows.loadFrom(MeaningTable(MeaningKind::Words));
    m_fileName.clear();
    setCaption();
    refreshGrid(0);
}

void TFEdiWordsAndMeaningTable::setCaption()
{
    if (m_fileName.isEmpty())
        setWindowTitle(QStringLiteral("Edició d'una nova taula"));
    else
        setWindowTitle(m_fileName);
}

void TFEdiWordsAndMeaningTable::applyPosSize(const TPosSize &memory)
{
    if (const auto g = memory.Restore()) {
        m_place = *g;
        setGeometry(*g);
    }
}

void TFEdiWordsAndMeaningTable::storePosSize(TPosSize &memory) const
{
    memory.Save(geometry());
}

void TFEdiWordsAndMeaningTable::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The remembered place wins over the first showing's centring.
    if (!event->spontaneous() && m_place.isValid())
        setGeometry(m_place);
}

void TFEdiWordsAndMeaningTable::commitCell()
{
    static_cast<WordsGrid *>(m_grid)->commitOpenEditor();
}

void TFEdiWordsAndMeaningTable::refreshGrid(int row)
{
    const QModelIndex current = m_grid->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    if (row < 0)
        row = current.isValid() ? current.row() : 0;
    if (m_rows.editState() != EditState::Browse)
        row = m_rows.editRow();
    m_following = true;
    // A reset shows the titles of the orientation in force too.
    m_model->reload();
    offerRowWhenEmpty();
    if (m_model->rowCount() > 0) {
        const QModelIndex target =
            m_model->index(std::clamp(row, 0, m_model->rowCount() - 1), column);
        m_grid->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
        m_grid->scrollTo(target);
    }
    m_following = false;
    updateCommands();
}

void TFEdiWordsAndMeaningTable::offerRowWhenEmpty()
{
    // An empty table shows one blank row to type into, as a database grid does.
    if (m_model->rowCount() == 0)
        (void)m_model->insertRows(0, 1);
}

void TFEdiWordsAndMeaningTable::currentRowChanged(const QModelIndex &current,
                                                  const QModelIndex &previous)
{
    (void)previous;
    if (m_following || m_model->changing())
        return;
    // Leaving the row in edit posts it; refused, the grid goes back to it.
    if (current.isValid() && m_rows.editState() != EditState::Browse &&
        current.row() != m_rows.editRow()) {
        const int editRow = m_rows.editRow();
        m_following = true;
        if (!m_model->post()) {
            const QModelIndex back = m_model->index(editRow, current.column());
            m_grid->selectionModel()->setCurrentIndex(back, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
        }
        m_following = false;
    }
    updateCommands();
}

void TFEdiWordsAndMeaningTable::appendRow()
{
    commitCell();
    if (!m_model->insertRows(m_model->rowCount(), 1))
        return;
    const QModelIndex target = m_model->index(m_rows.editRow(), 0);
    m_grid->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_grid->scrollTo(target);
    m_grid->setFocus();
}

void TFEdiWordsAndMeaningTable::insertRow()
{
    commitCell();
    const int row = std::max(m_grid->currentIndex().row(), 0);
    if (!m_model->insertRows(row, 1))
        return;
    const QModelIndex target = m_model->index(m_rows.editRow(), 0);
    m_grid->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_grid->setFocus();
}

void TFEdiWordsAndMeaningTable::deleteSelectedRows()
{
    commitCell();
    std::vector<int> rows;
    for (const QModelIndex &i : m_grid->selectionModel()->selectedRows())
        rows.push_back(i.row());
    if (rows.empty() && m_grid->currentIndex().isValid())
        rows.push_back(m_grid->currentIndex().row());
    const int first = rows.empty() ? 0 : *std::min_element(rows.begin(), rows.end());
    m_model->removeShownRows(rows);
    refreshGrid(first);
}

bool TFEdiWordsAndMeaningTable::save()
{
    commitCell();
    if (m_fileName.isEmpty() || !m_model->post())
        return false;
    const bool saved = m_rows.saveInto(m_mainTable, m_fileName).ok();
    if (saved)
        m_services.session.TableSaved(MeaningKind::Words);
    refreshGrid();
    return saved;
}

bool TFEdiWordsAndMeaningTable::saveAs()
{
    commitCell();
    if (!m_model->post())
        return false;
    const bool ready = m_rows.postWithMinimum().ok();
    refreshGrid();
    if (!ready)
        return false;
    const QString proposed = m_fileName.isEmpty() ? changeFileExt(m_services.session.SlideListPath,
                                                                  QStringLiteral(".wml"))
                                                  : m_fileName;
    const QString path = chooseSavePath ? chooseSavePath(proposed) : QString();
    if (path.isEmpty())
        return false;
    if (path != m_fileName) {
        // A quiz is made from the table saved under the name shown.
        m_fileName = path;
        m_rows.generationEnabled = false;
        setCaption();
    }
    return save();
}

void TFEdiWordsAndMeaningTable::generate(bool radioButtons)
{
    commitCell();
    if (m_rows.hasPendingChanges()) {
        // The quiz is made from the saved table: the row typed is saved with it first.
        if (!saveAs())
            return;
    } else if (!m_model->post()) {
        return;
    }
    offerRowWhenEmpty();
    updateCommands();
    if (m_fileName.isEmpty() || !m_rows.generationEnabled)
        return;
    std::unique_ptr<TFMakeSalFromSWml0> dialog;
    if (radioButtons)
        dialog = std::make_unique<TFMakeSalFromWmlWithRadioButtons>(m_services, m_mainTable,
                                                                    m_rows.swapped, this);
    else
        dialog = std::make_unique<TFMakeSalFromWmlOneAnswer>(m_services, m_mainTable,
                                                             m_rows.swapped, this);
    dialog->setHelp(m_services.help);
    (void)(runGeneration ? runGeneration(*dialog) : dialog->exec());
    if (!dialog->writtenPath().isEmpty())
        m_rows.generatedPath = dialog->writtenPath();
}

void TFEdiWordsAndMeaningTable::copyToClipboard()
{
    commitCell();
    if (!m_model->post())
        return;
    const bool ready = m_rows.postWithMinimum().ok();
    refreshGrid();
    if (ready)
        CopyTableToClipboard(m_rows.table(), QuoteStrings::No, IncludeCalculated::No);
}

void TFEdiWordsAndMeaningTable::pasteFromClipboard()
{
    commitCell();
    if (!m_model->post())
        return;
    const Fallible<void> pasted = m_rows.paste(QApplication::clipboard()->text());
    refreshGrid(m_rows.count() - 1);
    if (!pasted.ok())
        m_services.prompter.ShowError(pasted.error());
}

void TFEdiWordsAndMeaningTable::setUpperFirst(bool on)
{
    m_rows.upperFirst = on;
    m_services.session.Options.SWmlFieldsUpCase1stChar = on;
    setToggleHint(command(QStringLiteral("A_E_UpCase1stChar")), stateHint(kUpperFirstHint, on));
}

void TFEdiWordsAndMeaningTable::swapColumns()
{
    commitCell();
    const int row = m_grid->currentIndex().row();
    (void)m_rows.swapColumns();
    m_swapped = m_rows.swapped;
    refreshGrid(row);
}

void TFEdiWordsAndMeaningTable::startNotepad()
{
    // The desktop's text editor, empty, in the table's folder: the place to prepare the rows
    // that are then pasted in delimited form.
    const QString program = findTextEditorProgram();
    const QString folder = m_fileName.isEmpty() ? QString() : extractFileDir(m_fileName);
    const QString workFolder = QFileInfo(folder).isDir() ? folder : QString();
    const QString shown = program.isEmpty() ? QStringLiteral("Notepad.exe") : program;
    const Fallible<void> started =
        program.isEmpty()
            ? Fallible<void>::failure(shellFailureReason(shown, ShellOperation::StartProgram))
            : m_services.shell.startProgram(program, {}, workFolder);
    if (!started.ok())
        m_services.prompter.ShowError(cannotOpenMessage(shown, started.error()));
}

void TFEdiWordsAndMeaningTable::updateCommands()
{
    const bool named = !m_fileName.isEmpty();
    command(QStringLiteral("A_F_Save"))->setEnabled(named);
    for (const char *name : {"A_F_Mk_SalWithRadioButtons", "A_F_Mk_SalWithOneAnswer"})
        command(QString::fromLatin1(name))->setEnabled(named && m_rows.generationEnabled);
    // Post and cancel are for a row with something to keep or drop (not the blank row an
    // empty table offers).
    m_navigator->setEditPending(m_rows.hasPendingChanges() ||
                                (m_rows.editState() != EditState::Browse && m_rows.count() > 0));
    const QModelIndex current = m_grid->currentIndex();
    m_counter->setText(QStringLiteral(" %1 / %2")
                           .arg(current.isValid() ? current.row() + 1 : 0)
                           .arg(m_model->rowCount()));
}

void TFEdiWordsAndMeaningTable::reject()
{
    commitCell();
    if (!m_model->post())
        return;
    if (!m_rows.canClose(m_fileName)) {
        refreshGrid();
        return;
    }
    QDialog::reject();
}

void TFEdiWordsAndMeaningTable::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        if (m_services.help)
            m_services.help->showHelpContext(helpNumber(HelpContext::WordTableEditor));
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        // Esc drops the row being typed first, as a database grid does; then it closes.
        const bool blankNewRow = m_rows.editState() == EditState::Insert && m_rows.count() > 0;
        if (m_rows.hasPendingChanges() || blankNewRow) {
            m_model->cancel();
            offerRowWhenEmpty();
            updateCommands();
            return;
        }
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
