#include "files/FileChecks.h"

#include "files/FileNames.h"
#include "files/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    return !(QFile::permissions(path) & QFileDevice::WriteOwner);
}

bool IsOnCD(const QString &path)
{
    const QStorageInfo storage(nearestExistingFolder(QFileInfo(path).absoluteFilePath()));
    if (!storage.isValid())
        return false;
    const QByteArray type = storage.fileSystemType().toLower();
    return type == "iso9660" || type == "udf" || storage.isReadOnly();
}

bool clearReadOnly(const QString &path)
{
    return QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner) &&
           !isReadOnlyFile(path);
}

bool EnsureWritable(const QString &path, Prompter &prompter)
{
    if (!isReadOnlyFile(path))
        return true;
    if (IsOnCD(path)) {
        prompter.ShowWarning(QStringLiteral("L'arxiu\r\n%1\r\nés en un CD: per tant no se'n pot "
                                            "canviar l'atribut de sols lectura")
                                 .arg(path));
        return false;
    }
    if (!prompter.AskYes(QStringLiteral("L'arxiu\r\n%1\r\nés de sols lectura, treure-li'n la "
                                        "protecció?")
                             .arg(path)))
        return false;
    return clearReadOnly(path);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

Fallible<void> checkNotOnCD(const QString &path)
{
    if (IsOnCD(path))
        return Fallible<void>::failure(QStringLiteral("No es pot seleccionar un CD"));
    return Fallible<void>::success();
}

Fallible<void> checkFileExists(const QString &path)
{
    if (!fileExists(path))
        return Fallible<void>::failure(QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(path));
    return Fallible<void>::success();
}

Fallible<void> checkFolderExists(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return Fallible<void>::failure(
            QStringLiteral("No s'ha trobat el directori '%1'").arg(path));
    return Fallible<void>::success();
}

qint64 fileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

QDateTime fileTime(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.lastModified().toLocalTime() : QDateTime();
}

int deleteEmptyFolderTree(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || info.isSymLink())
        return 0;
    int removed = 0;
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries)
        if (entry.isDir() && !entry.isSymLink())
            removed += deleteEmptyFolderTree(entry.absoluteFilePath());
    if (dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot) &&
        QDir().rmdir(info.absoluteFilePath()))
        ++removed;
    return removed;
}
