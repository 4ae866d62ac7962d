#include "files/Shell.h"

#include "files/ShellOpen.h"

#include <QDir>
#include <QFileInfo>

QString shellFailureReason(const QString &path, ShellOperation operation, const QString &folder)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.dir().exists() ? QStringLiteral("No s'ha trobat l'arxiu especificat")
                                   : QStringLiteral("No s'ha trobat la via especificada");
    switch (operation) {
    case ShellOperation::StartProgram:
        if (!folder.isEmpty() && !QFileInfo(folder).isDir())
            return QStringLiteral("No s'ha trobat la via especificada");
        if (!info.isExecutable())
            return QStringLiteral("El sistema operatiu denega l'accés a l'arxiu especificat");
        return QString();
    case ShellOperation::OpenDocument:
        return QStringLiteral("No hi ha cap aplicació associada amb l'extensió de l'arxiu");
    case ShellOperation::MoveToTrash:
        // The file is there, so the trash refused it: a protected file or folder.
        return QStringLiteral("El sistema operatiu denega l'accés a l'arxiu especificat");
    }
    return QString();
}

QString cannotOpenMessage(const QString &path, const QString &reason)
{
    return shellOpenMessage(QStringLiteral("open"), path, reason);
}
