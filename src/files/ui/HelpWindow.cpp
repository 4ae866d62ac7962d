#include "files/ui/HelpWindow.h"

#include "files/ui/HelpBrowser.h"

#include <QAction>
#include <QHelpContentItem>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QHelpEngine &engine, QWidget *parent) : QMainWindow(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Ajuda de Pelvar"));
    // The program ends when its main window closes, whether the help is open or not.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser = new HelpBrowser(engine, this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PC_Help"));
    QHelpContentWidget *contents = engine.contentWidget();
    contents->setObjectName(QStringLiteral("TV_Contents"));
    m_tabs->addTab(contents, QStringLiteral("Continguts"));

    auto *indexPage = new QWidget(m_tabs);
    auto *indexLayout = new QVBoxLayout(indexPage);
    auto *lookFor = new QLabel(QStringLiteral("&Busca:"), indexPage);
    m_indexFilter = new QLineEdit(indexPage);
    m_indexFilter->setObjectName(QStringLiteral("E_IndexFilter"));
    lookFor->setBuddy(m_indexFilter);
    QHelpIndexWidget *index = engine.indexWidget();
    index->setObjectName(QStringLiteral("LB_Index"));
    indexLayout->addWidget(lookFor);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(index);
    m_tabs->addTab(indexPage, QStringLiteral("Índex"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({280, 620});
    setCentralWidget(splitter);

    QToolBar *bar = addToolBar(QStringLiteral("Ajuda"));
    bar->setObjectName(QStringLiteral("TB_Help"));
    bar->setMovable(false);
    QAction *back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                   QStringLiteral("Enrere"), m_browser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    QAction *forward =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Endavant"),
                       m_browser, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Introducció"),
                   this, [this] {
                       const QList<QHelpLink> links =
                           m_engine.documentsForIdentifier(QStringLiteral("Introduction"));
                       if (!links.isEmpty())
                           showPage(links.first().url);
                   });

    // The first level of the contents open, once the engine has read them.
    connect(engine.contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    connect(contents, &QHelpContentWidget::linkActivated, this,
            [this](const QUrl &url) { m_browser->setSource(url); });
    // One click on a title is enough to read it.
    connect(contents, &QAbstractItemView::clicked, this, [this](const QModelIndex &entry) {
        if (const QHelpContentItem *item = m_engine.contentModel()->contentItemAt(entry))
            m_browser->setSource(item->url());
    });
    connect(
        index, &QHelpIndexWidget::documentActivated, this,
        [this](const QHelpLink &document, const QString &) { m_browser->setSource(document.url); });
    // Several pages under one keyword: the first is shown.
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink> &documents, const QString &) {
                if (!documents.isEmpty())
                    m_browser->setSource(documents.first().url);
            });
    connect(m_indexFilter, &QLineEdit::textChanged, index,
            [index](const QString &text) { index->filterIndices(text); });
    connect(m_indexFilter, &QLineEdit::returnPressed, index,
            &QHelpIndexWidget::activateCurrentItem);

    resize(900, 640);
}

HelpWindow::~HelpWindow()
{
    m_engine.contentWidget()->setParent(nullptr);
    m_engine.indexWidget()->setParent(nullptr);
}

void HelpWindow::showPage(const QUrl &url)
{
    m_browser->setSource(url);
    bringUp();
}

void HelpWindow::showContentsTab()
{
    m_tabs->setCurrentIndex(0);
    if (m_browser->source().isEmpty()) {
        const QList<QHelpLink> links =
            m_engine.documentsForIdentifier(QStringLiteral("Introduction"));
        if (!links.isEmpty())
            m_browser->setSource(links.first().url);
    }
    bringUp();
}

void HelpWindow::showIndexTab()
{
    m_tabs->setCurrentIndex(1);
    bringUp();
    m_indexFilter->setFocus(Qt::OtherFocusReason);
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

void HelpWindow::bringUp()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
