#include "files/ui/ProgramHelp.h"

#include "files/ProgramLayout.h"
#include "files/Prompter.h"
#include "files/ui/HelpWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>

ProgramHelp::ProgramHelp(const QString &collectionFile, Prompter &prompter)
    : m_collectionFile(collectionFile), m_prompter(prompter)
{}

ProgramHelp::~ProgramHelp()
{
    // The window shows the engine's widgets: it goes first, then the widgets, then the engine.
    delete m_window.data();
    if (m_engine && m_widgetsMade) {
        delete m_engine->contentWidget();
        delete m_engine->indexWidget();
    }
}

QString ProgramHelp::defaultCollectionFile()
{
    return ProgramLayout(QCoreApplication::applicationDirPath()).helpCollection();
}

bool ProgramHelp::load()
{
    if (m_loaded)
        return true;
    m_engine.reset();
    if (!QFileInfo(m_collectionFile).isFile())
        return false;
    auto engine = std::make_unique<QHelpEngine>(m_collectionFile);
    // Installed, the collection may lie in a folder the user cannot write to.
    engine->setReadOnly(true);
    engine->setUsesFilterEngine(true);
    if (!engine->setupData() || engine->registeredDocumentations().isEmpty())
        return false;
    m_engine = std::move(engine);
    m_loaded = true;
    return true;
}

bool ProgramHelp::ready()
{
    if (load())
        return true;
    m_prompter.ShowError(
        QStringLiteral("No es pot obrir l'ajuda del programa.\r\nNo s'ha trobat l'arxiu '%1' o "
                       "està malmès.")
            .arg(QDir::toNativeSeparators(m_collectionFile)));
    return false;
}

QUrl ProgramHelp::pageFor(const QString &identifier)
{
    if (!load())
        return QUrl();
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(identifier);
    return links.isEmpty() ? QUrl() : links.first().url;
}

HelpWindow *ProgramHelp::ensureWindow()
{
    if (!m_window) {
        m_window = new HelpWindow(*m_engine);
        m_widgetsMade = true;
    }
    setOwner(QApplication::activeModalWidget());
    return m_window.data();
}

void ProgramHelp::setOwner(QWidget *owner)
{
    if (owner == m_window.data() || (owner && m_window && m_window->isAncestorOf(owner)))
        owner = nullptr;
    if (owner == m_owner.data() && m_window->parentWidget() == owner)
        return;
    if (m_owner)
        m_owner->removeEventFilter(this);
    m_owner = owner;
    const QRect place = m_window->geometry();
    const bool shown = m_window->isVisible();
    // A window of the modal window is not blocked by it.
    m_window->setParent(owner, Qt::Window);
    if (owner)
        owner->installEventFilter(this);
    if (shown) {
        // Where it was; a window not shown yet is placed by the desktop.
        m_window->setGeometry(place);
        m_window->show();
    }
}

bool ProgramHelp::eventFilter(QObject *watched, QEvent *event)
{
    // The owner goes (and would take the window with it): the window stands alone again.
    if (watched == m_owner.data() && m_window &&
        (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        setOwner(nullptr);
    return QObject::eventFilter(watched, event);
}

void ProgramHelp::showIdentifier(const QString &identifier, const QString &missing)
{
    if (!ready())
        return;
    const QUrl page = pageFor(identifier);
    if (page.isEmpty()) {
        // The contents instead, with the reason.
        m_prompter.ShowWarning(missing);
        ensureWindow()->showContentsTab();
        return;
    }
    ensureWindow()->showPage(page);
}

void ProgramHelp::showHelpContext(int context)
{
    showIdentifier(QString::number(context),
                   QStringLiteral("No hi ha cap pàgina d'ajuda per al context %1").arg(context));
}

void ProgramHelp::showHelpTopic(const QString &topic)
{
    showIdentifier(topic,
                   QStringLiteral("No hi ha cap pàgina d'ajuda per al tema '%1'").arg(topic));
}

void ProgramHelp::showHelpContents()
{
    if (ready())
        ensureWindow()->showContentsTab();
}

void ProgramHelp::showHelpIndex()
{
    if (ready())
        ensureWindow()->showIndexTab();
}
