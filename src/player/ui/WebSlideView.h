#pragma once

#include "player/WebHistory.h"
#include "player/WebTextSize.h"

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class MainWindowCommandSet;
class Prompter;
class QAction;
class QSpinBox;
class QUrl;
class QWidget;
class SlideArea;
class WebBrowserControl;

// The web page of a web slide in the main window: the panel P_Web in the slide area's image
// place, the browser inside it, its back/forward history and text size, and the seven web
// commands with the text size's up-down that act on it. The browser and its history live from
// the slide's show to the next slide change.
class WebSlideView : public QObject
{
    Q_OBJECT
public:
    // Takes the web commands out of `commands` (their rows must be built) and puts the up-down
    // on its toolbar; the commands start hidden and disabled.
    WebSlideView(MainWindowCommandSet &commands, SlideArea &area, Prompter &prompter,
                 QObject *parent = nullptr);
    ~WebSlideView() override;

    // Makes the browser of a web slide; nullptr when none can be made. Tests replace it.
    using BrowserFactory = std::function<std::unique_ptr<WebBrowserControl>(QWidget *parent)>;
    void setBrowserFactory(BrowserFactory factory) { m_factory = std::move(factory); }

    // Shows the web page `path` (an existing local file) after the slide area has shown its
    // slide. `play` and `edit` are the window's replay and open commands, nullptr where the
    // window has none.
    void ShowWebSlide(const QString &path, QAction *play, QAction *edit);
    // Frees the browser and its history, disables the web commands and hides P_Web.
    void RemoveWebView();
    // Shows or hides the seven commands, their separators and the up-down.
    void setCommandsVisible(bool visible);

    // The commands.
    void A_W_BackwardExecute();
    void A_W_ForwardExecute();
    void A_W_HomeExecute();
    void A_W_RefreshExecute();
    void A_W_StopExecute();
    void A_W_DecFontSizeExecute();
    void A_W_IncFontSizeExecute();
    void UD_WFontSizeClick(int value);

    // The browser's events.
    void WBBeforeNavigate2(const QUrl &target);
    void WBDownloadBegin();
    void WBDownloadComplete();

    QWidget *panel() const { return m_panel; }
    WebBrowserControl *browser() const { return m_browser.get(); }
    // The history of the page on screen; empty without a browser.
    const WebHistory &history() const { return m_history; }
    QSpinBox *fontSizeControl() const { return m_fontSize; }
    QAction *fontSizeAction() const { return m_fontSizeAction; }
    bool loading() const { return m_loading; }
    // A_W_Stop's pictures while a page loads and when none does.
    QIcon loadingIcon() const { return m_loadingIcon; }
    QIcon idleIcon() const { return m_idleIcon; }
    // The stop sign those pictures are made of, for every window with a stop button.
    static QIcon stopIcon(bool loading);

    // The error shown when no browser can be made.
    static QString noBrowserMessage();
    // The form of an address in the history and its hints: a local file as its path.
    static QString addressOf(const QUrl &url);

private:
    void navigate(const QString &address);
    void updateHistoryCommands();
    // The up-down and the two text size commands follow the browser's text size.
    void syncTextSize();
    void setTextSize(int step);

    SlideArea &m_area;
    Prompter &m_prompter;
    BrowserFactory m_factory;
    QWidget *m_panel = nullptr; // P_Web, in the slide area
    std::unique_ptr<WebBrowserControl> m_browser;
    WebHistory m_history;
    bool m_loading = false;

    QAction *m_home = nullptr;
    QAction *m_backward = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_stop = nullptr;
    QAction *m_refresh = nullptr;
    QAction *m_decFontSize = nullptr;
    QAction *m_incFontSize = nullptr;
    QList<QAction *> m_separators;
    QSpinBox *m_fontSize = nullptr; // UD_WFontSize, on the toolbar
    QAction *m_fontSizeAction = nullptr;
    QIcon m_loadingIcon;
    QIcon m_idleIcon;
};
