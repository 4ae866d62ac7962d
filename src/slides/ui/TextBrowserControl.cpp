#include "slides/ui/TextBrowserControl.h"

#include <QTextBrowser>

TextBrowserControl::TextBrowserControl(QWidget *parent) : WebBrowserControl(nullptr)
{
    m_view = new QTextBrowser(parent);
    m_view->setObjectName(QStringLiteral("WebBrowser"));
    // Links are followed here, so each one is reported before it loads.
    m_view->setOpenLinks(false);
    m_view->setFocusPolicy(Qt::ClickFocus);
    m_basePointSize = m_view->font().pointSizeF();
    connect(m_view, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        const QUrl target = m_view->source().resolved(link);
        Q_EMIT navigationStarting(target);
        load(target);
    });
}

TextBrowserControl::~TextBrowserControl()
{
    delete m_view.data();
}

QWidget *TextBrowserControl::widget() const
{
    return m_view;
}

void TextBrowserControl::navigate(const QUrl &url)
{
    Q_EMIT navigationStarting(url);
    load(url);
}

void TextBrowserControl::load(const QUrl &url)
{
    Q_EMIT loadStarted();
    m_view->setSource(url, QTextDocument::HtmlResource);
    Q_EMIT loadFinished(!m_view->document()->isEmpty());
}

QUrl TextBrowserControl::url() const
{
    return m_view->source();
}

void TextBrowserControl::applyTextSize(int step)
{
    if (m_basePointSize <= 0)
        return;
    QFont f = m_view->font();
    f.setPointSizeF(m_basePointSize * zoomForTextSize(step));
    m_view->setFont(f);
}
