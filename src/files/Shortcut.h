#pragma once

#include "files/Fallible.h"

#include <QString>
#include <QStringList>

// The folders a shortcut to the program can be put in.
enum class SpecialFolder {
    Programs,        // the user's programs menu
    StartMenu,       // the user's start menu: the same applications menu on this desktop
    DesktopDirectory // the user's desktop
};

// The folder with a trailing separator, made if it is not there yet; the failure says which
// folder could not be made.
Fallible<QString> SpecialFolderPath(SpecialFolder folder);

// Writes a shortcut to `target` with its arguments, the target's folder as working folder and
// `description`. The shortcut file must end in ".lnk" in any letter case; the launcher the desktop
// reads is written beside it as a ".desktop" file of the same base name, executable, whose path is
// the value returned.
Fallible<QString> CreateShortcut(const QString &target, const QStringList &arguments,
                                 const QString &description, const QString &shortcutFile);

// The Exec value of a desktop entry that runs `program` with `arguments` exactly as given.
QString desktopEntryExec(const QString &program, const QStringList &arguments);
