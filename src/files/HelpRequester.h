#pragma once

#include <QString>

// What a window asks of the program's help: the topic of a help context number, a topic by
// name, or the contents. Windows keep their help commands disabled until one is given.
class HelpRequester
{
public:
    virtual ~HelpRequester() = default;

    virtual void showHelpContext(int context) = 0;
    virtual void showHelpTopic(const QString &topic) = 0;
    virtual void showHelpContents() = 0;
    // The help's keyword index; a help without one shows its contents.
    virtual void showHelpIndex() { showHelpContents(); }
};
