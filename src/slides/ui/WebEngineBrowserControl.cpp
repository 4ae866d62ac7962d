#include "slides/ui/WebEngineBrowserControl.h"

#ifdef PELVAR_HAVE_WEBENGINE

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Tells its control of every navigation of the main frame that the page starts itself (a link, a
// script, a form, a redirect). Loads asked for through navigate() come back typed; the control
// has reported them when it was asked.
class ReportingPage : public QWebEnginePage
{
public:
    ReportingPage(WebBrowserControl &control, QObject *parent)
        : QWebEnginePage(parent), m_control(control)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (isMainFrame && type != NavigationTypeTyped)
            Q_EMIT m_control.navigationStarting(url);
        return true;
    }

    // A page's console messages are its author's business, not the audience's (nor the export's
    // standard error).
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {}

private:
    WebBrowserControl &m_control;
};

// Where WebEngine looks for its helper process: the variable naming it, beside the program, or
// in Qt's own folder of helper programs.
bool helperProcessFound()
{
    const QString named = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (!named.isEmpty())
        return QFileInfo(named).isExecutable();
    const QString name = QStringLiteral("QtWebEngineProcess");
    for (const QString &dir : {QCoreApplication::applicationDirPath(),
                               QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath)})
        if (QFileInfo(QDir(dir).filePath(name)).isExecutable())
            return true;
    return false;
}

} // namespace

std::unique_ptr<WebBrowserControl> WebEngineBrowserControl::create(QWidget *parent)
{
    if (!helperProcessFound())
        return nullptr;
    return std::make_unique<WebEngineBrowserControl>(parent);
}

WebEngineBrowserControl::WebEngineBrowserControl(QWidget *parent) : WebBrowserControl(nullptr)
{
    m_view = new QWebEngineView(parent);
    m_view->setObjectName(QStringLiteral("WebBrowser"));
    auto *page = new ReportingPage(*this, m_view);
    // A page that loads does not take the keys from the slide area; a click does.
    page->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    m_view->setPage(page);
    connect(page, &QWebEnginePage::loadStarted, this, [this] { Q_EMIT loadStarted(); });
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        // The engine may keep a zoom per site; the slide's text size holds for every page.
        const qreal zoom = zoomForTextSize(textSize());
        if (m_view && !qFuzzyCompare(m_view->zoomFactor(), zoom))
            m_view->setZoomFactor(zoom);
        Q_EMIT loadFinished(ok);
    });
}

WebEngineBrowserControl::~WebEngineBrowserControl()
{
    delete m_view.data();
}

QWidget *WebEngineBrowserControl::widget() const
{
    return m_view;
}

void WebEngineBrowserControl::navigate(const QUrl &url)
{
    // Reported now, not when the engine gets to it: a history command given before then must
    // find the history as this navigation leaves it.
    Q_EMIT navigationStarting(url);
    m_view->load(url);
}

void WebEngineBrowserControl::stop()
{
    m_view->stop();
}

QUrl WebEngineBrowserControl::url() const
{
    return m_view->url();
}

void WebEngineBrowserControl::applyTextSize(int step)
{
    m_view->setZoomFactor(zoomForTextSize(step));
}

#endif
