#include "files/Shell.h"

#include "files/ShellOpen.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

QString findTextEditorProgram(const QStringList &searchPaths)
{
#ifdef Q_OS_WIN
    const char *const candidates[] = {"notepad.exe"};
#else
    // The desktops' own editors first, then the light ones a small desktop comes with.
    const char *const candidates[] = {"gnome-text-editor", "gedit",   "kwrite", "kate",
                                      "mousepad",          "pluma",   "xed",    "featherpad",
                                      "leafpad",           "l3afpad", "geany"};
#endif
    for (const char *name : candidates) {
        const QString found =
            QStandardPaths::findExecutable(QString::fromLatin1(name), searchPaths);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}
