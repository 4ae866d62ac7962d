#include "files/ui/TFMainMenuMkLink.h"

#include "files/Prompter.h"
#include "files/ui/TFMakeLinkProgram.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

TFMainMenuMkLink::TFMainMenuMkLink(Prompter &prompter, QWidget *parent)
    : TFMainMenuSimple(parent), m_prompter(prompter), m_resolveFolder(&SpecialFolderPath)
{
    m_makeLink = new QAction(QStringLiteral("Crea accés directe..."), this);
    m_makeLink->setObjectName(QStringLiteral("A_F_MakeLink"));
    addAction(m_makeLink);
    // Above "Surt", apart from it.
    QAction *separator = new QAction(this);
    separator->setSeparator(true);
    separator->setObjectName(QStringLiteral("MI_F_SepExit"));
    fileMenu()->insertAction(exitAction(), m_makeLink);
    fileMenu()->insertAction(exitAction(), separator);
    connect(m_makeLink, &QAction::triggered, this, [this] { makeLinkCommand(); });
}

void TFMainMenuMkLink::makeLinkCommand()
{
    TFMakeLinkProgram dialog(this);
    dialog.setHelp(helpRequester(), m_linkHelpContext);
    if (dialog.exec() != QDialog::Accepted)
        return;
    (void)createLink(dialog.folder());
}

QString TFMainMenuMkLink::createLink(SpecialFolder folder)
{
    const Fallible<QString> where = m_resolveFolder(folder);
    if (!where.ok()) {
        m_prompter.ShowError(where.error());
        return QString();
    }
    // The folder comes with its trailing separator.
    const Fallible<QString> made =
        CreateShortcut(QCoreApplication::applicationFilePath(), {}, QString(),
                       where.value() + m_linkName + QStringLiteral(".lnk"));
    if (!made.ok()) {
        m_prompter.ShowError(made.error());
        return QString();
    }
    return made.value();
}
