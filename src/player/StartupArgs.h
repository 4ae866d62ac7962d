#pragma once

#include "users/AccessLevel.h"

#include <QString>
#include <QStringList>

// The GUI's command line: an optional "/A", "/E" or "/L" (full, editing, view-only access),
// optionally followed by ":" and a user name, then or alone a slide list or table file.
struct StartupArgs
{
    AccessLevel accessLevel = AccessLevel::Full;
    QString userName;
    QString fileArgument; // empty when none
};

// `args` excludes the program name.
StartupArgs ParseStartupArgs(const QStringList &args);
