#include "editors/ui/TFEditFileList.h"

#include "editors/ChangeDirRows.h"
#include "editors/CopyMoveChoices.h"
#include "editors/EditorRules.h"
#include "editors/FileListMasks.h"
#include "editors/ui/Miniature.h"
#include "editors/ui/TFAudioFilesFilter.h"
#include "editors/ui/TFChangeDir.h"
#include "editors/ui/TFFavoriteDirs.h"
#include "editors/ui/TFFilesFilter.h"
#include "editors/ui/TFSelectDirWhereCopy.h"
#include "editors/ui/TFSelectDirWhereCopyMove.h"
#include "editors/ui/TFShImageToMark.h"
#include "files/FileNames.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "files/PosixFileOps.h"
#include "files/Prompter.h"
#include "files/ShellOpen.h"
#include "files/ui/RecordNavigator.h"
#include "files/ui/TCCopyMoveBoxDlg.h"
#include "files/ui/TCopyFilesProgressBox.h"
#include "files/ui/TFPresentMemo.h"
#include "files/ui/TLsDirTreePanel.h"
#include "files/ui/TLsFilelistView27.h"
#include "player/PresentationSession.h"
#include "player/ui/ListingToggles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Paints the grid's cells in the colours the rows give: defective rows stand out when selected,
// the others are coloured by kind, hidden or missing.
class RowColoursDelegate : public QStyledItemDelegate
{
public:
    RowColoursDelegate(FileListRows &rows, QObject *parent)
        : QStyledItemDelegate(parent), m_rows(rows)
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const FileListRows::CellColors c = m_rows.cellColors(index.row(), index.column(), selected);
        if (c.background.isValid()) {
            painter->fillRect(option.rect, c.background);
            o.state &= ~QStyle::State_Selected;
            o.backgroundBrush = c.background;
        }
        if (c.text.isValid()) {
            o.palette.setColor(QPalette::Text, c.text);
            o.palette.setColor(QPalette::HighlightedText, c.text);
        }
        const QWidget *w = option.widget;
        QStyle *style = w ? w->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &o, painter, w);
    }

private:
    FileListRows &m_rows;
};

QIcon standardIcon(QWidget *w, QStyle::StandardPixmap p)
{
    return w->style()->standardIcon(p);
}

} // namespace

TFEditFileList::TFEditFileList(FileListRows *rows, EditorServices &services, QWidget *parent)
    : QDialog(parent), m_rows(*rows), m_services(services)
{
    rows->setParent(this);
    setObjectName(QStringLiteral("TFEditFileList"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setMinimumHeight(194);
    setSizeGripEnabled(true);
    buildWindow();
    buildCommands();
    connectLists();
    applyMasks();
    applyColumnHiding();
}

TFEditFileList::~TFEditFileList() = default;

Prompter &TFEditFileList::prompter()
{
    return m_services.prompter;
}

QAction *TFEditFileList::command(const QString &name) const
{
    return m_commands.value(name);
}

QMenu *TFEditFileList::menuNamed(const QString &name) const
{
    return findChild<QMenu *>(name);
}

void TFEditFileList::buildWindow()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    outer->setMenuBar(m_menuBar);
    auto addMenu = [this](const char *name, const QString &title) {
        QMenu *m = m_menuBar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    m_leftPanel = addMenu("MI_LeftPanel", QStringLiteral("Panell esquerra"));
    m_manipulation = addMenu("MI_Manipulation", QStringLiteral("Manipulació"));
    m_others = addMenu("MI_Others", QStringLiteral("Altres"));
    m_audio = addMenu("MI_Audio", QStringLiteral("Audio"));
    m_final = addMenu("MI_Final", QStringLiteral("Final"));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    outer->addWidget(m_splitter, 1);

    // Left: toolbar, miniature and the explorer (files, or audio tracks).
    auto *left = new QWidget(m_splitter);
    left->setObjectName(QStringLiteral("P_Left"));
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(2, 2, 2, 2);
    auto *leftTop = new QHBoxLayout;
    m_leftBar = new QToolBar(left);
    m_leftBar->setObjectName(QStringLiteral("TBar_Left"));
    m_leftMini = new Miniature(left);
    m_leftMini->setObjectName(QStringLiteral("AdvImageLeft"));
    m_leftMini->setToolTip(QStringLiteral("Imatge en miniatura de l'última seleccionada\nde la "
                                          "llista d'arxius del plafó esquerra"));
    leftTop->addWidget(m_leftBar, 1);
    leftTop->addWidget(m_leftMini);
    leftLayout->addLayout(leftTop);
    m_leftStack = new QStackedWidget(left);
    auto makeExplorer = [this](const char *treeName, const char *listName, TLsDirTreePanel *&tree,
                               TLsFilelistView27 *&list) {
        auto *page = new QWidget(m_leftStack);
        auto *l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        tree = new TLsDirTreePanel(m_services.prompter, page);
        tree->setObjectName(QString::fromLatin1(treeName));
        list = new TLsFilelistView27(m_services.prompter, m_services.shell, page);
        list->setObjectName(QString::fromLatin1(listName));
        list->setDirTreePanel(tree);
        tree->setFileList(list);
        list->DblClickToOpen = false;
        l->addWidget(tree);
        l->addWidget(list, 1);
        m_leftStack->addWidget(page);
    };
    makeExplorer("LsDirTreePanel", "LsFilelistView", m_fileTree, m_fileList);
    makeExplorer("LsAudioDirTreePanel", "LsAudioFilelistView", m_audioTree, m_audioList);
    leftLayout->addWidget(m_leftStack, 1);

    // Right: navigator, counter, toolbar and miniature, the derived editor's controls, the grid.
    auto *right = new QWidget(m_splitter);
    right->setObjectName(QStringLiteral("P_Right"));
    right->setMinimumWidth(337);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(2, 2, 2, 2);
    auto *top = new QHBoxLayout;
    auto *topLeft = new QVBoxLayout;
    auto *navRow = new QHBoxLayout;
    m_navigator = new RecordNavigator(right);
    m_navigator->setObjectName(QStringLiteral("moDBNav1"));
    m_counter = new QLabel(right);
    m_counter->setObjectName(QStringLiteral("L_RecordCount"));
    navRow->addWidget(m_navigator);
    navRow->addWidget(m_counter);
    navRow->addStretch(1);
    m_gridBar = new QToolBar(right);
    m_gridBar->setObjectName(QStringLiteral("TBar_Right"));
    topLeft->addLayout(navRow);
    topLeft->addWidget(m_gridBar);
    top->addLayout(topLeft, 1);
    m_rightMini = new Miniature(right);
    m_rightMini->setObjectName(QStringLiteral("AdvImage"));
    m_rightMini->setToolTip(QStringLiteral(
        "Imatge en miniatura de l'última seleccionada\nde la graella del plafó dret"));
    top->addWidget(m_rightMini);
    rightLayout->addLayout(top);
    // The current row's controls over the grid, with a splitter between them.
    m_rightSplitter = new QSplitter(Qt::Vertical, right);
    m_rightSplitter->setObjectName(QStringLiteral("SplitterRight"));
    auto *controls = new QWidget(m_rightSplitter);
    controls->setObjectName(QStringLiteral("P_RowControls"));
    m_editArea = new QVBoxLayout(controls);
    m_editArea->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_rightSplitter, 1);
    m_grid = new QTableView(m_rightSplitter);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->setModel(&m_rows);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setItemDelegate(new RowColoursDelegate(m_rows, m_grid));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 4);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_rightSplitter->setChildrenCollapsible(false);
    m_rightSplitter->setStretchFactor(0, 0);
    m_rightSplitter->setStretchFactor(1, 1);
    m_navigator->attach(m_grid);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 3);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setSizes({400, 700});
    applyLargeMiniature();
}

QAction *TFEditFileList::addCommand(const char *name, const QString &caption, const QString &hint,
                                    QMenu *menu, QToolBar *bar, const std::function<void()> &run,
                                    bool stopsAudio)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        QString h = hint;
        h.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        a->setToolTip(h);
        a->setStatusTip(h);
    }
    if (stopsAudio)
        connect(a, &QAction::triggered, this, [this] {
            if (m_services.stopAudio)
                m_services.stopAudio();
        });
    if (run)
        connect(a, &QAction::triggered, this, run);
    if (menu)
        menu->addAction(a);
    if (bar) {
        bar->addAction(a);
        if (QWidget *button = bar->widgetForAction(a))
            button->setObjectName(QStringLiteral("TB_") + QString::fromLatin1(name).mid(2));
    }
    addAction(a);
    m_commands.insert(a->objectName(), a);
    return a;
}

void TFEditFileList::setToggleHint(QAction *action, const QString &alternatives, bool on)
{
    ::setToggleHint(action, stateHint(alternatives, on));
}

void TFEditFileList::addOthersCommand(QAction *action)
{
    m_others->addAction(action);
    if (!m_othersButton)
        return;
    m_othersButton->menu()->addAction(action);
    connect(action, &QAction::triggered, this, [this, action] {
        m_othersButton->setDefaultAction(action);
        m_othersButton->setText(QStringLiteral("Altres"));
    });
}

void TFEditFileList::buildCommands()
{
    QMenu *lp = m_leftPanel;
    QToolBar *lb = m_leftBar;
    QAction *audio = addCommand("A_F_AudioFL", QStringLiteral("Mostra pistes d'audio"), QString(),
                                lp, lb, [this] { SetAudioMode(!m_audioMode); });
    audio->setCheckable(true);
    audio->setIcon(standardIcon(this, QStyle::SP_MediaVolume));
    addCommand("A_F_FavoriteDirs", QStringLiteral("Directoris preferits..."),
               QStringLiteral("Mostra/edita la llista de directoris preferits"), lp, lb,
               [this] { chooseFavoriteDir(); })
        ->setIcon(standardIcon(this, QStyle::SP_DirLinkIcon));
    addCommand("A_F_Root", QStringLiteral("Vés al directori rel"),
               QStringLiteral("Selecciona el directori rel de la unitat que es mostra"), lp, lb,
               [this] { goRoot(); })
        ->setIcon(standardIcon(this, QStyle::SP_DriveHDIcon));
    addCommand("A_F_Filter", QStringLiteral("Filtre (arxius a mostrar)"),
               QStringLiteral("Permet escollir els tipus d'arxius a mostrar"), lp, lb,
               [this] { chooseFilter(); })
        ->setIcon(standardIcon(this, QStyle::SP_FileDialogContentsView));
    addCommand("A_F_RereadDir", QStringLiteral("Rellegeix el directori"),
               QStringLiteral("Rellegeix el directori actual"), lp, lb,
               [this] { leftList()->Reread(); })
        ->setIcon(standardIcon(this, QStyle::SP_BrowserReload));
    lp->addSeparator();
    addCommand("A_F_OpenItem", QStringLiteral("Obre l'arxiu"), QString(), lp, nullptr,
               [this] { leftList()->OpenSelected(); });
    addCommand("A_F_Rename", QStringLiteral("Renomena l'arxiu"), QString(), lp, nullptr,
               [this] { leftList()->RenameSelected(); });
    addCommand("A_F_Delete", QStringLiteral("Esborra els arxius..."), QString(), lp, nullptr,
               [this] { leftList()->DeleteSelected(); });
    addCommand("A_F_ShowTree", QStringLiteral("Mostra l'arbre de directoris"), QString(), lp,
               nullptr, [this] {
                   TLsDirTreePanel *tree = m_audioMode ? m_audioTree : m_fileTree;
                   tree->setFocus();
                   tree->DropDownTree();
               });
    lp->addSeparator();
    addCommand("A_A_PlayNowL", QStringLiteral("Reprodueix l'arxiu"),
               QStringLiteral("Reprodueix la pista d'audio"), lp, lb, [this] { playLeft(); })
        ->setIcon(standardIcon(this, QStyle::SP_MediaPlay));
    addCommand(
        "A_A_StopNowL", QStringLiteral("Atura la reproducció"),
        QStringLiteral("Atura la reproducció de la pista d'audio"), lp, lb,
        [this] {
            if (m_services.stopAudio)
                m_services.stopAudio();
        },
        false)
        ->setIcon(standardIcon(this, QStyle::SP_MediaStop));

    QMenu *mp = m_manipulation;
    QToolBar *gb = m_gridBar;
    addCommand("A_H_RecAppend", QStringLiteral("Afegeix arxiu(s) al final"), QString(), mp, gb,
               [this] { AddSelectedFiles(false); })
        ->setIcon(standardIcon(this, QStyle::SP_FileDialogNewFolder));
    addCommand("A_H_RecInsert", QStringLiteral("Insereix arxiu(s)"), QString(), mp, gb, [this] {
        AddSelectedFiles(true);
    })->setIcon(standardIcon(this, QStyle::SP_ArrowRight));
    addCommand("A_H_RecChange", QStringLiteral("Canvia arxiu"),
               QStringLiteral("Canvia l'arxiu de la diapositiva"), mp, gb,
               [this] { changeRowFile(); })
        ->setIcon(standardIcon(this, QStyle::SP_BrowserReload));
    mp->addSeparator();
    addCommand("A_H_Goto_First", QStringLiteral("Vés a la primera diapositiva"),
               QStringLiteral("Va a la primera diapositiva de la llista"), mp, nullptr,
               [this] { m_navigator->first(); });
    addCommand("A_H_Goto_Last", QStringLiteral("Vés a l'última diapositiva"),
               QStringLiteral("Va a l'última diapositiva de la llista"), mp, nullptr,
               [this] { m_navigator->last(); });
    addCommand("A_H_BkSet", QStringLiteral("Anota aquesta diapositiva"), QString(), mp, nullptr,
               [this] { m_navigator->setBookmark(); });
    addCommand("A_H_BkGoto", QStringLiteral("Vés a la diapositiva anotada"), QString(), mp, nullptr,
               [this] { m_navigator->gotoBookmark(); });
    mp->addSeparator();
    addCommand("A_H_SelectAll", QStringLiteral("Selecciona totes les diapositives"),
               QStringLiteral("Les selecciona totes"), mp, nullptr,
               [this] { m_grid->selectAll(); });
    addCommand("A_H_CommuteSelect", QStringLiteral("Commuta la selecció"),
               QStringLiteral("Commuta la selecció de les diapositives"), mp, nullptr, [this] {
                   QItemSelectionModel *sel = m_grid->selectionModel();
                   const QItemSelection all(
                       m_rows.index(0, 0),
                       m_rows.index(m_rows.count() - 1, m_rows.columnCount() - 1));
                   sel->select(all, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
               });
    addCommand("A_H_Delete", QStringLiteral("Esborra la(es) seleccionada(es)"),
               QStringLiteral("Esborra la(es) seleccionada(es) de la llista"), mp, gb,
               [this] {
                   const std::vector<int> rows = selectedRows();
                   if (rows.empty()) {
                       prompter().ShowInfo(QStringLiteral("Heu de seleccionar alguna diapositiva"));
                       return;
                   }
                   m_rows.postPendingEdits();
                   m_rows.deleteRows(rows);
               })
        ->setIcon(standardIcon(this, QStyle::SP_TrashIcon));
    addCommand("A_H_ClearAll", QStringLiteral("Les esborra totes"),
               QStringLiteral("Elimina totes les diapositives de la llista"), mp, nullptr,
               [this] { m_rows.clearAll(); });

    // "Altres", also on the toolbar's drop-down button that keeps the command used last.
    m_othersButton = new QToolButton(this);
    m_othersButton->setObjectName(QStringLiteral("TB_Others"));
    m_othersButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_othersButton->setMenu(new QMenu(m_othersButton));
    m_othersButton->setText(QStringLiteral("Altres"));
    m_othersButton->setIcon(standardIcon(this, QStyle::SP_FileDialogDetailedView));
    gb->addWidget(m_othersButton);
    auto other = [this](const char *name, const QString &caption, const QString &hint,
                        const std::function<void()> &run) {
        QAction *a = addCommand(name, caption, hint, nullptr, nullptr, run);
        addOthersCommand(a);
        return a;
    };
    QAction *large =
        other("A_O_LargeMiniature", QStringLiteral("Miniatura gran"), QString(), [this] {
            m_largeMiniature = !m_largeMiniature;
            applyLargeMiniature();
        });
    large->setCheckable(true);
    QAction *hideMenu = other("A_O_HideMainMenu", QStringLiteral("Amaga el menú principal"),
                              QString(), [this] { SetMainMenuHidden(!m_mainMenuHidden); });
    hideMenu->setCheckable(true);
    other("A_I_MarkSetPos", QStringLiteral("Posa una marca a la imatge"),
          QStringLiteral("Posa una marca a la imatge"), [this] { placeMark(); });
    other("A_I_MarkClear", QStringLiteral("Treu la marca de la imatge"), QString(), [this] {
        m_rows.postPendingEdits();
        m_rows.setMark(m_rows.current(), -1, -1);
    });
    other("A_O_SearchRightDir", QStringLiteral("Busca el directori al plafó esquerra"), QString(),
          [this] { searchRowDir(); });
    other("A_O_CopyFileName", QStringLiteral("Copia i enganxa el nom de l'arxiu"), QString(),
          [this] {
              const int row = m_rows.current();
              if (row < 0)
                  return;
              const QString name = m_rows.text(row, FileListRows::Name);
              QGuiApplication::clipboard()->setText(name);
              PasteFileName(name);
          });
    other("A_O_Edit", QStringLiteral("Obre (i opcionalment edita) arxiu"), QString(),
          [this] { openRowFile(); });
    other("A_O_Check", QStringLiteral("Comprovació de la presentació..."),
          QStringLiteral("Comprova la llista"), [this] { checkList(); });
    other("A_O_DelNotFound", QStringLiteral("Esborra els arxius no trobats"),
          QStringLiteral("Esborra les diapositives que continguin arxius no trobats"), [this] {
              m_rows.postPendingEdits();
              m_rows.deleteNotFound();
          });
    other("A_O_ChangeDir", QStringLiteral("Canvia el directori..."),
          QStringLiteral("Canvia de directori les diapositives d'arxiu\r\nde la llista de la "
                         "presentació"),
          [this] { changeDirectory(); });
    other("A_O_CopyFiles", QStringLiteral("Copia els arxius..."),
          fillPercentS(QStringLiteral("%s els arxius de la llista"), {QStringLiteral("Copia")}),
          [this] { copyOrMoveFiles(TFileAction::faCopy); });
    other("A_O_MoveFiles", QStringLiteral("Mou els arxius..."),
          fillPercentS(QStringLiteral("%s els arxius de la llista"),
                       {QStringLiteral("Mou (compte!!)")}),
          [this] { copyOrMoveFiles(TFileAction::faMove); });
    other("A_O_Options", QStringLiteral("Opcions..."), QStringLiteral("Opcions"), [this] {
        skipNextReread();
        ShowOptions();
    });
    m_othersButton->setDefaultAction(command(QStringLiteral("A_O_Check")));
    m_othersButton->setText(QStringLiteral("Altres"));

    QMenu *am = m_audio;
    addCommand("A_A_PlayNowR", QStringLiteral("Reprodueix ara"),
               QStringLiteral("Reprodueix la pista d'audio"), am, nullptr, [this] { playRow(); });
    addCommand(
        "A_A_StopNowR", QStringLiteral("Atura la reproducció"),
        QStringLiteral("Atura la reproducció de la pista d'audio"), am, nullptr,
        [this] {
            if (m_services.stopAudio)
                m_services.stopAudio();
        },
        false);
    QAction *noAudio =
        addCommand("A_A_NoAudioPlay", QStringLiteral("No reprodueix la pista d'àudio"), QString(),
                   am, nullptr, [this] {
                       m_noAudioPlay = !m_noAudioPlay;
                       applyNoAudioPlay();
                   });
    noAudio->setCheckable(true);
    addCommand("A_A_ClearAudioFN", QStringLiteral("Elimina la pista d'àudio"),
               QStringLiteral("Elimina l'arxiu d'audio del registre actual"), am, nullptr, [this] {
                   m_rows.postPendingEdits();
                   m_rows.clearAudio(m_rows.current());
               });

    addCommand("A_E_Close", QStringLiteral("Abandona l'edició"),
               QStringLiteral("Tanca la finestra sense acceptar la llista"), m_final, nullptr,
               [this] { reject(); })
        ->setIcon(standardIcon(this, QStyle::SP_DialogCloseButton));

    connect(&m_rows, &FileListRows::currentChanged, this, [this](int row) {
        if (row >= 0 && m_grid->currentIndex().row() != row)
            m_grid->setCurrentIndex(m_rows.index(row, 0));
        updateScrollCommands();
        ShowRowMiniature();
        refreshRowControls();
        updateCounter();
    });
    connect(&m_rows, &FileListRows::controlsChanged, this, [this] {
        updateScrollCommands();
        refreshRowControls();
    });
    connect(&m_rows, &QAbstractItemModel::modelReset, this, [this] { updateCounter(); });
    connect(&m_rows, &QAbstractItemModel::rowsInserted, this, [this] { updateCounter(); });
    connect(&m_rows, &QAbstractItemModel::rowsRemoved, this, [this] { updateCounter(); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.row() != m_rows.current())
                    m_rows.setCurrent(current.row());
            });
    connect(m_leftMini, &Miniature::clicked, this, [this] { leftMiniatureClicked(); });
    connect(m_rightMini, &Miniature::clicked, this, [this] { rightMiniatureClicked(); });
    applyState(state());
}

void TFEditFileList::connectLists()
{
    for (TLsFilelistView27 *list : {m_fileList, m_audioList}) {
        // The selection changes before the current item does: the miniature follows both.
        connect(list, &TLsFilelistView27::OnChange, this, &TFEditFileList::leftSelectionChanged,
                Qt::QueuedConnection);
        connect(list, &TLsFilelistView27::OnDblClick, this, [this] { AddSelectedFiles(false); });
    }
}

void TFEditFileList::updateCounter()
{
    const int row = m_rows.current();
    m_counter->setText(QStringLiteral("%1 / %2").arg(row + 1).arg(m_rows.count()));
}

TLsFilelistView27 *TFEditFileList::leftList() const
{
    return m_audioMode ? m_audioList : m_fileList;
}

std::vector<int> TFEditFileList::selectedRows() const
{
    std::vector<int> rows;
    const QModelIndexList sel = m_grid->selectionModel()->selectedRows();
    for (const QModelIndex &i : sel)
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFEditFileList::showFolder(const QString &folder)
{
    TLsDirTreePanel *tree = m_audioMode ? m_audioTree : m_fileTree;
    tree->OpenPath(folder);
    leftList()->SetDirectory(folder);
}

void TFEditFileList::applyMasks()
{
    const ProgramOptions &o = m_services.session.Options;
    m_fileList->setMask(fileListMask(o, listContents()));
    m_audioList->setMask(audioFileMask(o.AudioFFilterIndex));
}

ListContents TFEditFileList::listContents() const
{
    return m_rows.listsAndPrograms ? ListContents::WithListsAndPrograms : ListContents::FilesOnly;
}

void TFEditFileList::applyColumnHiding()
{
    const bool hide = m_services.session.Options.HidePathExtInRigthPanel;
    const FileListRows::AudioFields &a = m_rows.audioFields();
    if (!hide) {
        for (int f : {int(FileListRows::Dir), int(FileListRows::Ext), a.dir, a.ext})
            m_rows.setColumnShown(f, true);
        return;
    }
    m_rows.setColumnShown(FileListRows::Dir, !m_audioMode);
    m_rows.setColumnShown(FileListRows::Ext, !m_audioMode);
    m_rows.setColumnShown(a.dir, m_audioMode);
    m_rows.setColumnShown(a.ext, m_audioMode);
}

void TFEditFileList::applyLargeMiniature()
{
    const int size = m_largeMiniature ? 72 : 48;
    m_leftMini->setFixedSize(size, size);
    m_rightMini->setFixedSize(size, m_audioMode ? 73 : std::max(size, 48));
    for (QToolBar *bar : {m_leftBar, m_gridBar})
        bar->setIconSize(m_largeMiniature ? QSize(32, 32) : QSize(20, 20));
    if (QAction *a = command(QStringLiteral("A_O_LargeMiniature"))) {
        a->setChecked(m_largeMiniature);
        setToggleHint(a, QStringLiteral("Activa %so desactiva %sla miniatura gran"),
                      m_largeMiniature);
    }
}

void TFEditFileList::SetAudioMode(bool on)
{
    if (m_services.stopAudio)
        m_services.stopAudio();
    m_audioMode = on;
    m_leftStack->setCurrentIndex(on ? 1 : 0);
    m_fileList->setActive(!on);
    m_audioList->setActive(on);
    m_audio->menuAction()->setVisible(on && !m_mainMenuHidden);
    command(QStringLiteral("A_A_PlayNowL"))->setVisible(on);
    command(QStringLiteral("A_A_StopNowL"))->setVisible(on);
    QAction *change = command(QStringLiteral("A_H_RecChange"));
    change->setText(on ? QStringLiteral("Assigna/canvia arxiu àudio")
                       : QStringLiteral("Canvia arxiu"));
    const QString hint = on ? QStringLiteral("Assigna o canvia un arxiu d'àudio")
                            : QStringLiteral("Canvia l'arxiu de la diapositiva");
    change->setToolTip(hint);
    change->setStatusTip(hint);
    command(QStringLiteral("A_O_LargeMiniature"))->setVisible(!on);
    m_leftMini->setVisible(!on);
    QAction *audio = command(QStringLiteral("A_F_AudioFL"));
    audio->setChecked(on);
    setToggleHint(audio, QStringLiteral("Mostra els arxius %so les pistes d'audio %s"), !on);
    applyLargeMiniature();
    applyColumnHiding();
    // Hiding columns resets the grid: it shows the current row again.
    if (m_rows.current() >= 0)
        m_grid->setCurrentIndex(m_rows.index(m_rows.current(), 0));
}

void TFEditFileList::SetMainMenuHidden(bool on)
{
    m_mainMenuHidden = on;
    for (QMenu *m : {m_leftPanel, m_manipulation, m_others, m_final})
        m->menuAction()->setVisible(!on);
    m_audio->menuAction()->setVisible(!on && m_audioMode);
    QAction *a = command(QStringLiteral("A_O_HideMainMenu"));
    a->setChecked(on);
    setToggleHint(a, QStringLiteral("Mostra %so amaga %sel menú principal"), !on);
}

void TFEditFileList::applyState(const EditorWindowState &s)
{
    m_largeMiniature = s.largeMiniature;
    m_noAudioPlay = s.noAudioPlay;
    SetAudioMode(s.audioMode);
    SetMainMenuHidden(s.mainMenuHidden);
    applyNoAudioPlay();

    if (!s.geometry.isEmpty())
        restoreGeometry(s.geometry);
    if (!s.splitter.isEmpty())
        m_splitter->restoreState(s.splitter);
    if (!s.rowSplitter.isEmpty())
        m_rightSplitter->restoreState(s.rowSplitter);
    if (!s.gridColumns.isEmpty())
        m_grid->horizontalHeader()->restoreState(s.gridColumns);
    if (!s.filesFolder.isEmpty() && QFileInfo(s.filesFolder).isDir()) {
        m_fileTree->OpenPath(s.filesFolder);
        m_fileList->SetDirectory(s.filesFolder);
    }
    if (!s.audioFolder.isEmpty() && QFileInfo(s.audioFolder).isDir()) {
        m_audioTree->OpenPath(s.audioFolder);
        m_audioList->SetDirectory(s.audioFolder);
    }
    if (QAction *a = command(s.lastOthersCommand))
        m_othersButton->setDefaultAction(a);
    m_othersButton->setText(QStringLiteral("Altres"));
}

void TFEditFileList::applyNoAudioPlay()
{
    if (QAction *a = command(QStringLiteral("A_A_NoAudioPlay"))) {
        a->setChecked(m_noAudioPlay);
        setToggleHint(a,
                      QStringLiteral("Envia l'ordre de reproduir %so no %s\r\nels arxius d'audio"),
                      !m_noAudioPlay);
    }
}

EditorWindowState TFEditFileList::state() const
{
    EditorWindowState s;
    s.audioMode = m_audioMode;
    s.largeMiniature = m_largeMiniature;
    s.noAudioPlay = m_noAudioPlay;
    s.mainMenuHidden = m_mainMenuHidden;
    s.geometry = saveGeometry();
    s.splitter = m_splitter ? m_splitter->saveState() : QByteArray();
    s.rowSplitter = m_rightSplitter ? m_rightSplitter->saveState() : QByteArray();
    s.gridColumns = m_grid ? m_grid->horizontalHeader()->saveState() : QByteArray();
    s.filesFolder = m_fileList ? m_fileList->Directory() : QString();
    s.audioFolder = m_audioList ? m_audioList->Directory() : QString();
    if (m_othersButton && m_othersButton->defaultAction())
        s.lastOthersCommand = m_othersButton->defaultAction()->objectName();
    return s;
}

void TFEditFileList::updateScrollCommands()
{
    const int row = m_rows.current();
    const bool image = row >= 0 && m_rows.kindLetter(row) == QLatin1String("I");
    const bool mark = image && (m_rows.number(row, FileListRows::MarkX) != -1 ||
                                m_rows.number(row, FileListRows::MarkY) != -1);
    QAction *set = command(QStringLiteral("A_I_MarkSetPos"));
    set->setEnabled(image);
    const QString text = mark ? QStringLiteral("Canvia la posició de la marca de la imatge")
                              : QStringLiteral("Posa una marca a la imatge");
    set->setToolTip(text);
    set->setStatusTip(text);
    command(QStringLiteral("A_I_MarkClear"))->setEnabled(mark);
}

void TFEditFileList::leftSelectionChanged()
{
    TLsFilelistView27 *list = leftList();
    const QString path = list->SelectedFileCount() == 1 ? list->SelectedFilePath() : QString();
    m_leftPath = path;
    const auto kind = SlideKindForExtension(path);
    m_leftKindKnown = !path.isEmpty() && kind.has_value();
    m_leftKind = kind.value_or(skImage);
    if (m_audioMode)
        return;
    showFileInMiniature(m_leftMini, path, m_leftKind, m_leftKindKnown && QFileInfo(path).isFile(),
                        false, false, -1, -1);
}

void TFEditFileList::showFileInMiniature(Miniature *mini, const QString &path, TSlideKind kind,
                                         bool viewable, bool question, bool withMark, int markX,
                                         int markY)
{
    const ProgramOptions &o = m_services.session.Options;
    const MiniatureContent c =
        miniatureContent(kind, viewable, question, path, QFileInfo(path).size(), o.MaxBmpFileSize,
                         o.MaxOthersImgFileSize);
    const PresentationSettings &s = m_services.session.Settings;
    mini->setBackground(kClBtnFace);
    switch (c.show) {
    case MiniatureContent::Show::Nothing: mini->clearMiniature(); break;
    case MiniatureContent::Show::Picture:
        if (mini == m_rightMini)
            mini->setBackground(s.ImagePanel.ColorStart);
        mini->applySettings(s);
        mini->showPicture(path, withMark ? QPoint(markX, markY) : QPoint(-1, -1));
        break;
    case MiniatureContent::Show::Caption:
        if (c.titleColour && mini == m_rightMini && s.TitlePanel.ColorBackGroundEffect == 0)
            mini->setBackground(s.TitlePanel.ColorStart);
        mini->showCaption(c.caption);
        break;
    }
}

void TFEditFileList::ShowRowMiniature()
{
    const int row = m_rows.current();
    if (row < 0) {
        m_rightMini->clearMiniature();
        return;
    }
    const QString path = m_rows.rowPath(row);
    const QString letter = m_rows.kindLetter(row);
    TSlideKind kind = SlideKindForExtension(path).value_or(skImage);
    if (letter == QLatin1String("T"))
        kind = skTitle;
    else if (letter == QLatin1String("O"))
        kind = skDocument;
    showFileInMiniature(m_rightMini, path, kind, m_rows.flag(row, FileListRows::Valid),
                        m_rows.isQuestionRow(row), true, m_rows.number(row, FileListRows::MarkX),
                        m_rows.number(row, FileListRows::MarkY));
}

void TFEditFileList::leftMiniatureClicked()
{
    if (m_leftKindKnown && QFileInfo(m_leftPath).isFile()) {
        skipNextReread();
        PreviewSlide(true, int(m_leftKind), m_leftPath);
    }
}

void TFEditFileList::rightMiniatureClicked()
{
    const int row = m_rows.current();
    if (row < 0)
        return;
    m_rows.postPendingEdits();
    const QString letter = m_rows.kindLetter(row);
    const QString path = m_rows.rowPath(row);
    if (letter == QLatin1String("T")) {
        skipNextReread();
        PreviewSlide(false, int(skTitle), QString());
        return;
    }
    const SlideFileClass c = ClassifySlideFile(path);
    if (c.state != fsOk)
        return;
    skipNextReread();
    PreviewSlide(false, int(c.kind), path);
}

void TFEditFileList::changeRowFile()
{
    TLsFilelistView27 *list = leftList();
    const QString error =
        changeFileSelectionError(list->SelectedFileCount(), int(selectedRows().size()) > 1
                                                                ? int(selectedRows().size())
                                                                : (m_rows.current() >= 0 ? 1 : 0));
    if (!error.isEmpty()) {
        prompter().ShowError(error);
        return;
    }
    m_rows.postPendingEdits();
    if (m_audioMode)
        m_rows.changeAudio(m_rows.current(), list->SelectedFilePath());
    else
        m_rows.changeFile(m_rows.current(), list->SelectedFilePath());
}

void TFEditFileList::playLeft()
{
    const QString error = playLeftSelectionError(m_audioList->SelectedFileCount());
    if (!error.isEmpty()) {
        prompter().ShowError(error);
        return;
    }
    if (m_services.playAudio)
        m_services.playAudio(m_audioList->SelectedFilePath());
}

void TFEditFileList::playRow()
{
    const int row = m_rows.current();
    const FileListRows::AudioFields &a = m_rows.audioFields();
    if (row < 0 || m_rows.text(row, a.name).isEmpty() || !m_rows.flag(row, a.valid)) {
        prompter().ShowError(QStringLiteral("La diapositiva actual no conté cap arxiu d'àudio"));
        return;
    }
    if (m_services.playAudio)
        m_services.playAudio(m_rows.audioPath(row));
}

void TFEditFileList::searchRowDir()
{
    const int row = m_rows.current();
    if (row < 0) {
        prompter().ShowInfo(QStringLiteral("Heu de seleccionar alguna diapositiva"));
        return;
    }
    const QString dir =
        m_rows.text(row, m_audioMode ? m_rows.audioFields().dir : int(FileListRows::Dir));
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        prompter().ShowError(QStringLiteral("No s'ha trobat el directori '%1'").arg(dir));
        return;
    }
    showFolder(dir);
}

void TFEditFileList::openRowFile()
{
    const int row = m_rows.current();
    if (row < 0)
        return;
    const QString path = m_rows.rowPath(row);
    const SlideFileClass c = ClassifySlideFile(path);
    const bool openable = c.kind == skImage || c.kind == skRichText || c.kind == skText ||
                          c.kind == skWeb || c.kind == skVideo || c.kind == skMovie;
    if (path.isEmpty() || c.state != fsOk || !openable)
        return;
    ShellOpen(m_services.shell, prompter(), QStringLiteral("Open"), path, QString(),
              extractFileDir(path), ShowMode::Normal);
}

void TFEditFileList::checkList()
{
    if (m_rows.count() == 0)
        return;
    m_rows.postPendingEdits();
    const QStringList problems = m_rows.checkList();
    if (problems.isEmpty()) {
        prompter().ShowInfo(m_rows.checkSummary());
        return;
    }
    skipNextReread();
    TFPresentMemo window(this);
    window.setObjectName(QStringLiteral("TFPresentMemoErrors"));
    window.setWindowTitle(QStringLiteral("Errors trobats"));
    QString text = problems.join(QStringLiteral("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    window.setText(text);
    window.setHelp(m_services.help, checkHelpContext());
    window.exec();
}

int TFEditFileList::checkHelpContext() const
{
    return helpNumber(HelpContext::EditorCheckErrors);
}

void TFEditFileList::goRoot()
{
    const QString dir = leftList()->Directory();
    if (dir.isEmpty() || dir == QLatin1String("Dispositiu"))
        return;
    const QString root = QStorageInfo(dir).rootPath();
    if (!root.isEmpty())
        showFolder(root);
}

void TFEditFileList::optionsChanged()
{
    applyMasks();
    applyColumnHiding();
    ShowRowMiniature();
}

void TFEditFileList::chooseFavoriteDir()
{
    ProgramOptions &o = m_services.session.Options;
    TLsDirTreePanel *tree = m_audioMode ? m_audioTree : m_fileTree;
    skipNextReread();
    TFFavoriteDirs window(o.FavDirs, tree->SelectedPath(), prompter(), this);
    window.setHelp(m_services.help);
    const bool chosen = window.exec();
    // The table is the main window's: what was inserted, deleted or sorted stays.
    o.FavDirs = window.favDirs();
    if (chosen && !window.chosenDirectory().isEmpty())
        showFolder(window.chosenDirectory());
}

void TFEditFileList::chooseFilter()
{
    ProgramOptions &o = m_services.session.Options;
    skipNextReread();
    if (m_audioMode) {
        TFAudioFilesFilter dialog(o.AudioFFilterIndex, this);
        dialog.setHelp(m_services.help);
        if (dialog.exec() != QDialog::Accepted)
            return;
        o.AudioFFilterIndex = dialog.audioFilterIndex();
    } else {
        TFFilesFilter dialog(FileFilterSet::fromOptions(o), listContents(), prompter(), this);
        dialog.setHelp(m_services.help);
        if (dialog.exec() != QDialog::Accepted)
            return;
        dialog.filter().storeInto(o);
    }
    applyMasks();
}

void TFEditFileList::placeMark()
{
    const int row = m_rows.current();
    if (row < 0 || m_rows.kindLetter(row) != QLatin1String("I"))
        return;
    m_rows.postPendingEdits();
    skipNextReread();
    TFShImageToMark window(
        m_rows.rowPath(row),
        QPoint(m_rows.number(row, FileListRows::MarkX), m_rows.number(row, FileListRows::MarkY)),
        m_services.session.Settings, this);
    window.setHelp(m_services.help);
    window.exec();
    const QPoint mark = window.markPos();
    m_rows.setMark(row, mark.x(), mark.y());
}

void TFEditFileList::changeDirectory()
{
    if (m_rows.count() == 0)
        return;
    m_rows.postPendingEdits();
    const std::vector<int> selected = selectedRows();
    skipNextReread();
    TFChangeDir dialog(m_services.lastChangeDir, !selected.empty(), prompter(), m_services.shell,
                       this);
    dialog.setHelp(m_services.help);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ChangeDirChoice choice = dialog.choice();
    m_services.lastChangeDir = choice.directory;
    QStringList dirs;
    for (int r = 0; r < m_rows.count(); ++r)
        dirs << m_rows.text(r, FileListRows::Dir);
    m_rows.changeDirectory(rowsForDirChange(m_rows.count(), selected, dirs, choice.scope),
                           choice.directory);
}

void TFEditFileList::copyOrMoveFiles(TFileAction action)
{
    m_rows.postPendingEdits();
    if (!m_rows.anyValidFile()) {
        prompter().ShowError(QStringLiteral("No hi ha cap arxiu vàlid"));
        return;
    }
    CopyMoveChoices &last =
        action == TFileAction::faCopy ? m_services.copyChoices : m_services.moveChoices;
    skipNextReread();
    std::unique_ptr<TFSelectDirWhereCopyMove> dialog;
    if (action == TFileAction::faCopy)
        dialog = std::make_unique<TFSelectDirWhereCopy>(last, prompter(), m_services.shell, this);
    else
        dialog =
            std::make_unique<TFSelectDirWhereCopyMove>(last, prompter(), m_services.shell, this);
    dialog->setHelp(m_services.help);
    if (dialog->exec() != QDialog::Accepted)
        return;
    last = dialog->choices();
    const bool redirect = redirectsRows(action, last);

    QHash<QString, QString> redirections;
    const bool done =
        transfer(action, m_rows.transferFiles(), last.allToOneDirectory, last.destination,
                 [&](const QString &source, const QString &target) {
                     if (redirect && !redirections.contains(extractFileDir(source)))
                         redirections.insert(extractFileDir(source), extractFileDir(target));
                 });
    if (done && redirect)
        m_rows.redirect(redirections);
    if (done && last.copyPresentationFiles)
        copyPresentationFiles(last.destination);
    leftList()->Reread();
}

void TFEditFileList::copyPresentationFiles(const QString &destination)
{
    if (m_rows.modified) {
        if (!m_rows.canAccept())
            return;
        m_rows.postPendingEdits();
    }
    if (m_services.presentationSaved && !m_services.presentationSaved())
        return;
    const PresentationSession &s = m_services.session;
    QStringList files{s.SlideListPath};
    const QString ini = s.presentationConfigPath();
    if (QFileInfo(ini).absoluteFilePath() != QFileInfo(s.ProgramIniPath).absoluteFilePath())
        files << ini;
    for (const QString &ext : {QStringLiteral(".wml"), QStringLiteral(".sml")})
        files << changeFileExt(s.SlideListPath, ext);
    QStringList existing;
    for (const QString &file : files)
        if (QFileInfo(file).isFile())
            existing << file;
    (void)transfer(TFileAction::faCopy, existing, true, destination, nullptr);
}

bool TFEditFileList::transfer(TFileAction action, const QStringList &files, bool oneDirectory,
                              const QString &destination,
                              const std::function<void(const QString &, const QString &)> &written)
{
    PosixFileOps ops;
    TCCopyMoveBoxDlg engine(ops, prompter(), this);
    engine.setFileAction(action);
    engine.CopyMoveToSingleDir = oneDirectory;
    for (const QString &file : files)
        engine.AddFile(file);
    if (!engine.setStrTargetDir(destination))
        return false;
    engine.OnNotifyCopyMoveMade = [&written](const QString &source, const QString &target,
                                             TFileAction, bool done) {
        if (done && written)
            written(source, target);
    };
    return engine.Execute();
}

void TFEditFileList::programActivated()
{
    if (!m_services.session.Options.FilesAutomaticReread)
        return;
    if (m_skipNextReread) {
        m_skipNextReread = false;
        return;
    }
    leftList()->Reread();
}

void TFEditFileList::batch(const std::function<void()> &work)
{
    const int row = m_rows.current();
    m_rows.batch = true;
    m_grid->setUpdatesEnabled(false);
    work();
    m_rows.batch = false;
    m_grid->setUpdatesEnabled(true);
    if (row >= 0 && row < m_rows.count())
        m_rows.setCurrent(row);
    m_rows.refreshCurrent();
}

void TFEditFileList::closeWithOk()
{
    m_okClosed = true;
    if (m_services.stopAudio)
        m_services.stopAudio();
    QDialog::accept();
}

void TFEditFileList::reject()
{
    if (m_services.stopAudio)
        m_services.stopAudio();
    if (!m_rows.canClose(false))
        return;
    QDialog::reject();
}

void TFEditFileList::closeEvent(QCloseEvent *event)
{
    if (m_okClosed || m_rows.canClose(false)) {
        event->accept();
        return;
    }
    event->ignore();
}

void TFEditFileList::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Maximised; the size of the screen first, for a desktop whose window manager does not
    // maximise a window already on screen.
    if (!windowState().testFlag(Qt::WindowMaximized)) {
        if (const QScreen *s = screen())
            setGeometry(s->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    applyMasks();
    leftList()->setActive(true);
    m_rows.refreshCurrent();
    ShowRowMiniature();
}

void TFEditFileList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        // The help window comes and goes: coming back does not re-read the left list.
        skipNextReread();
        if (m_services.help && helpContext() != 0)
            m_services.help->showHelpContext(helpContext());
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
