#pragma once

#include "editors/ui/TFEdiPresentationH.h"
#include "player/WebHistory.h"

#include <QUrl>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;
class WebBrowserControl;

// The preview of a web page: the page in the player's embedded browser, with "Enrera" and
// "Endavant" (each with the list of pages visited that way), "Atura", "Actualitza", the text size
// and the address; a question row's answers go on a panel below the page. F1 opens the window's
// help page, and Esc does not close it: a page may use the key, so only the close button does.
class TFEdiPresWeb : public TFEdiPresentationH
{
    Q_OBJECT
public:
    // Makes the browser; nullptr when none can be made (the page stays blank, which is said).
    using BrowserFactory = std::function<std::unique_ptr<WebBrowserControl>(QWidget *parent)>;

    // Opens the row's page. Without a factory the program's browser is used.
    TFEdiPresWeb(const SlideRecord &slide, PreviewContext &context,
                 BrowserFactory factory = BrowserFactory(), QWidget *parent = nullptr);
    ~TFEdiPresWeb() override;

    // The browser's report of every navigation it starts: the history follows it.
    void WBBeforeNavigate2(const QUrl &target);
    // A page chosen from one of the drop-down lists (`index` counts from the most recent).
    void chooseFromHistory(WebHistory::List list, qsizetype index);

    const WebHistory &history() const { return m_history; }
    WebBrowserControl *browser() const { return m_browser.get(); }
    QLineEdit *addressBox() const { return m_address; }
    QAction *backwardAction() const { return m_backward; }
    QAction *forwardAction() const { return m_forward; }
    QAction *stopAction() const { return m_stop; }
    QAction *refreshAction() const { return m_refresh; }
    QSpinBox *textSizeControl() const { return m_textSize; }
    bool loading() const { return m_loading; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void navigate(const QString &address);
    void showHelp();
    void updateHistoryCommands();
    void syncTextSize();
    void fillHistoryMenu(QMenu *menu, WebHistory::List list);
    void loadingChanged(bool loading);

    std::unique_ptr<WebBrowserControl> m_browser;
    WebHistory m_history;
    bool m_loading = false;
    QToolBar *m_toolBar;
    QAction *m_backward;
    QAction *m_forward;
    QAction *m_stop;
    QAction *m_refresh;
    QSpinBox *m_textSize;
    QLineEdit *m_address;
    QWidget *m_panel; // P_Web: the page's place on the slide area
};
