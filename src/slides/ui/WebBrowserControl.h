#pragma once

#include <QObject>
#include <QUrl>

#include <memory>

class QWidget;

// An embedded web browser as the slides use it: a widget that navigates to addresses, reports
// every navigation it starts and the start and end of each load, stops, and has a text size of a
// few steps. Qt WebEngine serves when the program has it; a text browser (local HTML only)
// otherwise.
class WebBrowserControl : public QObject
{
    Q_OBJECT
public:
    // The text size steps: 0 the smallest, kMediumTextSize the page as written.
    static constexpr int kLowestTextSize = 0;
    static constexpr int kHighestTextSize = 4;
    static constexpr int kMediumTextSize = 2;
    // The zoom factor of a step (clamped to the steps).
    static qreal zoomForTextSize(int step);

    // A browser inside `parent`, or nullptr when no browser can be made on this machine.
    static std::unique_ptr<WebBrowserControl> create(QWidget *parent);

    ~WebBrowserControl() override;

    virtual QWidget *widget() const = 0;
    virtual void navigate(const QUrl &url) = 0;
    virtual void stop() = 0;
    int textSize() const { return m_textSize; }
    // Clamped to the steps.
    void setTextSize(int step);
    // The address shown (after redirects), empty before the first navigation.
    virtual QUrl url() const = 0;

Q_SIGNALS:
    // Every navigation of the main page the browser starts (a link, a script, navigate()), with
    // its target, before it happens.
    void navigationStarting(const QUrl &target);
    void loadStarted();
    void loadFinished(bool ok);

protected:
    // Owned by whoever created it, not by the widget its view lives in.
    explicit WebBrowserControl(QObject *parent) : QObject(parent) {}
    virtual void applyTextSize(int step) = 0;

private:
    int m_textSize = kMediumTextSize;
};
