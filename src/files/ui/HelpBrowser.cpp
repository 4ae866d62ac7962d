#include "files/ui/HelpBrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>

HelpBrowser::HelpBrowser(QHelpEngineCore &engine, QWidget *parent)
    : QTextBrowser(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("HelpBrowser"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (url.scheme() != QLatin1String("qthelp"))
            QDesktopServices::openUrl(url);
    });
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // A page's style sheet and pictures are named relative to the page.
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() == QLatin1String("qthelp"))
        return m_engine.fileData(url);
    // Anything else is not shown inside the help.
    if (type == QTextDocument::HtmlResource)
        return QVariant();
    return QTextBrowser::loadResource(type, name);
}
