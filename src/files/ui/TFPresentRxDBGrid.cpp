#include "files/ui/TFPresentRxDBGrid.h"

#include "files/HelpRequester.h"
#include "files/ui/RecordNavigator.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QToolBar>

TFPresentRxDBGrid::TFPresentRxDBGrid(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TFPresentRxDBGrid"));
    resize(480, 360);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("RxDBGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    setCentralWidget(m_grid);

    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    m_gridMenu = menuBar()->addMenu(QStringLiteral("Graella"));
    m_gridMenu->setObjectName(QStringLiteral("MI_Grid"));
    m_othersMenu = menuBar()->addMenu(QStringLiteral("Altres"));
    m_othersMenu->setObjectName(QStringLiteral("MI_Others"));
    m_toolBar = addToolBar(QStringLiteral("Barra d'eines"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_navigator = new RecordNavigator(m_toolBar);
    m_navigator->setObjectName(QStringLiteral("moDBNavPres"));
    m_toolBar->addWidget(m_navigator);
    m_toolBar->addSeparator();

    QAction *first = addCommand("A_G_First", QStringLiteral("Vés al principi"),
                                QStringLiteral("Vés al principi"), QKeySequence(),
                                CommandIcon::First, m_gridMenu);
    QAction *last =
        addCommand("A_G_Last", QStringLiteral("Vés al final"), QStringLiteral("Vés al final"),
                   QKeySequence(), CommandIcon::Last, m_gridMenu);
    QAction *bookmark = addCommand("A_G_Bookmark", QStringLiteral("Anota aquest registre"),
                                   QStringLiteral("Anota aquest registre"), QKeySequence(),
                                   CommandIcon::Bookmark, m_gridMenu);
    QAction *gotoBookmark = addCommand("A_G_GotoBookmark", QStringLiteral("Vés al registre anotat"),
                                       QStringLiteral("Vés al registre anotat"), QKeySequence(),
                                       CommandIcon::GotoBookmark, m_gridMenu);
    // The toolbar already carries these four on the navigator.
    for (QAction *a : {first, last, bookmark, gotoBookmark})
        m_toolBar->removeAction(a);
    QAction *help = addCommand("A_Help", QStringLiteral("Ajuda"), QStringLiteral("Ajuda"),
                               QKeySequence(Qt::Key_F1), CommandIcon::Help, m_othersMenu);
    QAction *exit = addCommand("A_Exit", QStringLiteral("Surt"), QStringLiteral("Surt"),
                               QKeySequence(), CommandIcon::Exit, m_othersMenu);
    help->setEnabled(false);

    connect(first, &QAction::triggered, m_navigator, &RecordNavigator::first);
    connect(last, &QAction::triggered, m_navigator, &RecordNavigator::last);
    connect(bookmark, &QAction::triggered, m_navigator, &RecordNavigator::setBookmark);
    connect(gotoBookmark, &QAction::triggered, m_navigator, &RecordNavigator::gotoBookmark);
    connect(help, &QAction::triggered, this, [this] {
        if (m_requester)
            m_requester->showHelpContext(m_helpContext);
    });
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(m_navigator, &RecordNavigator::stateChanged, this, [this] { followNavigator(); });
    m_navigator->attach(m_grid);
}

QAction *TFPresentRxDBGrid::addCommand(const char *name, const QString &caption,
                                       const QString &hint, const QKeySequence &key,
                                       CommandIcon icon, QMenu *menu)
{
    QAction *a = addWindowCommand(this, m_toolBar, menu, name, caption, hint, key, icon);
    // Its key works wherever the focus is in the window, menu bar shown or not.
    addAction(a);
    return a;
}

QAction *TFPresentRxDBGrid::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void TFPresentRxDBGrid::setModel(QAbstractItemModel *model)
{
    m_grid->setModel(model);
    m_grid->setWordWrap(false);
    m_grid->resizeColumnsToContents();
    m_navigator->attach(m_grid);
}

void TFPresentRxDBGrid::setHelp(HelpRequester *help, int context)
{
    m_requester = help;
    m_helpContext = context;
    action(QStringLiteral("A_Help"))->setEnabled(help != nullptr);
}

void TFPresentRxDBGrid::followNavigator()
{
    using B = RecordNavigator::Button;
    action(QStringLiteral("A_G_First"))->setEnabled(m_navigator->isButtonEnabled(B::First));
    action(QStringLiteral("A_G_Last"))->setEnabled(m_navigator->isButtonEnabled(B::Last));
    action(QStringLiteral("A_G_Bookmark"))->setEnabled(m_navigator->isButtonEnabled(B::Bookmark));
    action(QStringLiteral("A_G_GotoBookmark"))
        ->setEnabled(m_navigator->isButtonEnabled(B::GotoBookmark));
}

void TFPresentRxDBGrid::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Centred on its screen the first time it is shown.
    if (!m_centred && !event->spontaneous()) {
        m_centred = true;
        if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}
