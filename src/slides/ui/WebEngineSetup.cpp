#include "slides/ui/WebEngineSetup.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

bool haveWebEngine()
{
#ifdef PELVAR_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

void prepareWebEngine()
{
#ifdef PELVAR_HAVE_WEBENGINE
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine describes its set-up on every start; the headless modes print only what matters.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
#ifdef Q_OS_UNIX
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
#endif
#endif
}
