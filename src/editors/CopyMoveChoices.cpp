#include "editors/CopyMoveChoices.h"

#include "files/FileChecks.h"

bool redirectsRows(TFileAction action, const CopyMoveChoices &choices)
{
    return action == TFileAction::faMove || choices.redirectDirs;
}

Fallible<void> checkCopyDestination(const QString &folder,
                                    const std::function<bool(const QString &)> &isOnCD)
{
    if (Fallible<void> found = checkFolderExists(folder); !found.ok())
        return found;
    if (isOnCD && isOnCD(folder))
        return Fallible<void>::failure(QStringLiteral("No es pot copiar o moure arxius a un CD"));
    return Fallible<void>::success();
}
