#pragma once

#include "files/Fallible.h"
#include "files/Shortcut.h"
#include "files/ui/TFMainMenuSimple.h"

#include <functional>

class Prompter;

// The main window's ancestor that adds "Crea accés directe..." to "Arxiu": it asks where, and
// writes there a shortcut to the running program named after the name the window gives.
class TFMainMenuMkLink : public TFMainMenuSimple
{
    Q_OBJECT

public:
    // `prompter` reports what could not be made; it must outlive the window.
    explicit TFMainMenuMkLink(Prompter &prompter, QWidget *parent = nullptr);

    QAction *makeLinkAction() const { return m_makeLink; }
    // The shortcut's name without extension ("Pelvar").
    void setLinkName(const QString &name) { m_linkName = name; }
    QString linkName() const { return m_linkName; }
    // The help context of the shortcut dialog.
    void setLinkHelpContext(int context) { m_linkHelpContext = context; }
    // Where each choice of folder is; the desktop's own folders unless another is given.
    void setFolderResolver(std::function<Fallible<QString>(SpecialFolder)> resolver)
    {
        m_resolveFolder = std::move(resolver);
    }

    // Asks where and makes the shortcut there.
    void makeLinkCommand();
    // Writes <folder>/<link name>.lnk pointing at the running program, in its folder. Returns
    // the launcher written, or "" after reporting why none was.
    QString createLink(SpecialFolder folder);

private:
    Prompter &m_prompter;
    QAction *m_makeLink = nullptr;
    QString m_linkName;
    int m_linkHelpContext = 0;
    std::function<Fallible<QString>(SpecialFolder)> m_resolveFolder;
};
