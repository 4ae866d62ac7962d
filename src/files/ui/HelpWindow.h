#pragma once

#include <QMainWindow>
#include <QUrl>

class HelpBrowser;
class QHelpEngine;
class QLineEdit;
class QTabWidget;

// The program's help: the contents tree and the keyword index ("Índex") at the left, the page
// at the right. It shows pages of an engine whose data is already set up.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(QHelpEngine &engine, QWidget *parent = nullptr);
    // Leaves the engine's contents and index widgets to the engine's owner: the engine keeps
    // them for the next window.
    ~HelpWindow() override;

    // Shows `url` (a qthelp:// address, with its anchor) and brings the window up.
    void showPage(const QUrl &url);
    // Brings the window up on its contents tree, or on the keyword index.
    void showContentsTab();
    void showIndexTab();

    HelpBrowser *browser() const { return m_browser; }
    QTabWidget *tabs() const { return m_tabs; }
    QLineEdit *indexFilter() const { return m_indexFilter; }
    // The page in view, anchor included.
    QUrl currentPage() const;

private:
    void bringUp();

    QHelpEngine &m_engine;
    HelpBrowser *m_browser = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_indexFilter = nullptr;
};
