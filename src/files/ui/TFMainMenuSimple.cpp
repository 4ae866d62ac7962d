#include "files/ui/TFMainMenuSimple.h"

#include "files/HelpRequester.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// An entry of the window itself, so its key works while the menus are hidden.
QAction *entry(QMainWindow *window, QMenu *menu, const char *name, const QString &caption)
{
    auto *a = new QAction(caption, window);
    a->setObjectName(QLatin1String(name));
    a->setShortcutContext(Qt::WindowShortcut);
    window->addAction(a);
    menu->addAction(a);
    return a;
}

} // namespace

TFMainMenuSimple::TFMainMenuSimple(QWidget *parent) : QMainWindow(parent)
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    m_fileMenu = menuBar()->addMenu(QStringLiteral("Arxiu"));
    m_fileMenu->setObjectName(QStringLiteral("MI_File"));
    m_helpMenu = menuBar()->addMenu(QStringLiteral("Ajuda"));
    m_helpMenu->setObjectName(QStringLiteral("MI_Help"));

    m_exit = entry(this, m_fileMenu, "MI_F_Exit", QStringLiteral("Surt"));
    m_introduction = entry(this, m_helpMenu, "A_H_Introduction", QStringLiteral("&Introducció"));
    m_topicHelp = entry(this, m_helpMenu, "A_H_TopicHelp", QStringLiteral("Ajuda concreta"));
    m_topicHelp->setShortcut(QKeySequence(Qt::Key_F1));
    m_contents = entry(this, m_helpMenu, "A_H_Contents", QStringLiteral("Continguts"));
    m_reference = entry(this, m_helpMenu, "A_H_About", QStringLiteral("&Referència..."));

    connect(m_exit, &QAction::triggered, this, &QWidget::close);
    connect(m_introduction, &QAction::triggered, this, [this] {
        if (m_help)
            m_help->showHelpTopic(QStringLiteral("Introduction"));
    });
    connect(m_topicHelp, &QAction::triggered, this, [this] {
        if (!m_help)
            return;
        if (m_topicContext != 0)
            m_help->showHelpContext(m_topicContext);
        else
            m_help->showHelpTopic(QStringLiteral("MainWindow"));
    });
    connect(m_contents, &QAction::triggered, this, [this] {
        if (m_help)
            m_help->showHelpContents();
    });
    connect(m_reference, &QAction::triggered, this, &TFMainMenuSimple::referenceRequested);
    setHelpRequester(nullptr);
}

void TFMainMenuSimple::setHelpRequester(HelpRequester *help)
{
    m_help = help;
    for (QAction *a : {m_introduction, m_topicHelp, m_contents})
        a->setEnabled(help != nullptr);
}
