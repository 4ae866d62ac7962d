#pragma once

#ifdef PELVAR_HAVE_WEBENGINE

#include "slides/ui/WebBrowserControl.h"

#include <QPointer>

#include <memory>

#include <QWebEngineView>

// The web browser of the slides: a Qt WebEngine view whose page reports every main-frame
// navigation before it starts.
class WebEngineBrowserControl : public WebBrowserControl
{
public:
    // nullptr when the engine's helper process is not installed: the view could not show a page.
    static std::unique_ptr<WebBrowserControl> create(QWidget *parent);

    explicit WebEngineBrowserControl(QWidget *parent);
    ~WebEngineBrowserControl() override;

    QWidget *widget() const override;
    QWebEngineView *view() const { return m_view; }
    void navigate(const QUrl &url) override;
    void stop() override;
    QUrl url() const override;

protected:
    void applyTextSize(int step) override;

private:
    QPointer<QWebEngineView> m_view;
};

#endif
