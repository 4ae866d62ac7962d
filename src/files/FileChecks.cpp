#include "files/FileChecks.h"

#include "files/Prompter.h"

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
    const QFileInfo info(path);
    const QString existing = info.exists() ? info.absoluteFilePath() : info.absolutePath();
    const QStorageInfo storage(existing);
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
