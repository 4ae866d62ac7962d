#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// A text browser that reads the help's own pages (qthelp:// addresses) from the compiled help;
// other addresses (a web link in a page) go to the desktop's browser.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBrowser(QHelpEngineCore &engine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngineCore &m_engine;
};
