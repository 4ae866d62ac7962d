#include "files/ui/ProgramHelp.h"

#include "files/Prompter.h"
#include "files/ui/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpLink>

ProgramHelp::ProgramHelp(const QString &collectionFile, Prompter &prompter)
    : m_collectionFile(collectionFile), m_prompter(prompter)
{}

ProgramHelp::~ProgramHelp()
{
    // The window shows the engine's widgets: it goes first.
    delete m_window.data();
}

QString ProgramHelp::defaultCollectionFile()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/pelvar/help/pelvar.qhc"));
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
    if (!m_window)
        m_window = new HelpWindow(*m_engine);
    return m_window.data();
}

void ProgramHelp::showIdentifier(const QString &identifier, const QString &what)
{
    if (!ready())
        return;
    const QUrl page = pageFor(identifier);
    if (page.isEmpty()) {
        // The contents instead, with the reason.
        m_prompter.ShowWarning(QStringLiteral("L'ajuda no té cap pàgina per a %1").arg(what));
        ensureWindow()->showContentsTab();
        return;
    }
    ensureWindow()->showPage(page);
}

void ProgramHelp::showHelpContext(int context)
{
    showIdentifier(QString::number(context), QStringLiteral("el context %1").arg(context));
}

void ProgramHelp::showHelpTopic(const QString &topic)
{
    showIdentifier(topic, QStringLiteral("el tema '%1'").arg(topic));
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
