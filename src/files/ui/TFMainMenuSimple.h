#pragma once

#include <QMainWindow>

class HelpRequester;
class QAction;
class QMenu;

// A main window with the menus every program window of this kind starts with: "Arxiu" with
// "Surt", and "Ajuda" with the introduction, the window's own topic, the contents and
// "&Referència...", which the derived window answers through referenceRequested(). The help
// entries stay disabled until help is given.
class TFMainMenuSimple : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFMainMenuSimple(QWidget *parent = nullptr);

    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }
    QAction *exitAction() const { return m_exit; }
    QAction *introductionAction() const { return m_introduction; }
    QAction *topicHelpAction() const { return m_topicHelp; }
    QAction *contentsAction() const { return m_contents; }
    QAction *referenceAction() const { return m_reference; }

    // Enables the help entries (and those of the windows derived from this one); nullptr
    // disables them again. The requester must outlive the window.
    virtual void setHelpRequester(HelpRequester *help);
    HelpRequester *helpRequester() const { return m_help; }
    // "Ajuda concreta" opens this help context; 0 (the default) opens the topic "MainWindow".
    void setTopicHelpContext(int context) { m_topicContext = context; }
    int topicHelpContext() const { return m_topicContext; }

Q_SIGNALS:
    void referenceRequested();

private:
    QMenu *m_fileMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_exit = nullptr;
    QAction *m_introduction = nullptr;
    QAction *m_topicHelp = nullptr;
    QAction *m_contents = nullptr;
    QAction *m_reference = nullptr;
    HelpRequester *m_help = nullptr;
    int m_topicContext = 0;
};
