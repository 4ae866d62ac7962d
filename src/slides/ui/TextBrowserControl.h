#pragma once

#include "slides/ui/WebBrowserControl.h"

#include <QPointer>

#include <QTextBrowser>

// The web browser where Qt WebEngine is missing: a text browser that shows local HTML files and
// follows their links; the text size scales its font.
class TextBrowserControl : public WebBrowserControl
{
public:
    explicit TextBrowserControl(QWidget *parent);
    ~TextBrowserControl() override;

    QWidget *widget() const override;
    void navigate(const QUrl &url) override;
    void stop() override {}
    QUrl url() const override;

protected:
    void applyTextSize(int step) override;

private:
    void load(const QUrl &url);

    QPointer<QTextBrowser> m_view;
    qreal m_basePointSize = 0;
};
