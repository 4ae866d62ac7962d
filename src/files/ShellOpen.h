#pragma once

#include <QString>

class Prompter;
class Shell;

// How the window of an opened program or document should first appear. The desktop here decides
// that itself; the value is carried for a shell that takes it.
enum class ShowMode { Normal, Show, Hidden, Minimized, Maximized };

// The results of ShellOpen: 32 or less is a failure, each failure with the reason the user is
// told; anything above 32 is success.
enum class ShellResult : int {
    OutOfResources = 0,
    Failed = 1, // a failure of no known kind: it has no reason of its own
    FileNotFound = 2,
    PathNotFound = 3,
    AccessDenied = 5,
    OutOfMemory = 8,
    BadFormat = 11,
    SharingViolation = 26,
    AssociationIncomplete = 27,
    DdeTimeout = 28,
    DdeFailed = 29,
    DdeBusy = 30,
    NoAssociation = 31,
    DllNotFound = 32,
    Succeeded = 33,
};

inline bool shellSucceeded(int result)
{
    return result > 32;
}

// The reason shown for a failure code; empty for a code that has none.
QString shellResultReason(int code);

// "No es pot <operation> l'arxiu <file>, ja que: <reason>", where an operation "open" in any
// letter case reads "obrir" and any other is shown as given.
QString shellOpenMessage(const QString &operation, const QString &file, const QString &reason);

// Carries out `operation` on `file` through `shell` and reports a failure through `prompter`.
// The only operation this desktop knows is "open" (any letter case): a program file is started
// in `folder` (its own folder when none is given) with `parameters` split into arguments as a
// command line would; any other file is opened with the desktop's application for its kind. A
// relative `file` is taken in `folder` when one is given. Returns the result (> 32: success).
int ShellOpen(Shell &shell, Prompter &prompter, const QString &operation, const QString &file,
              const QString &parameters, const QString &folder, ShowMode showMode);
