#include "files/FileNames.h"

#include <QDir>

namespace {

// Index of the dot that starts the extension within `path`, or -1.
qsizetype extensionDotIndex(const QString &path)
{
    const qsizetype nameStart = lastSeparatorIndex(path) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart) // no dot in the name, or the name's first character
        return -1;
    return dot;
}

} // namespace

qsizetype lastSeparatorIndex(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

QString extractFileName(const QString &path)
{
    return path.mid(lastSeparatorIndex(path) + 1);
}

QString extractFileDir(const QString &path)
{
    const qsizetype sep = lastSeparatorIndex(path);
    if (sep < 0)
        return QString();
    if (sep == 0)
        return path.left(1); // the root itself
    return path.left(sep);
}

QString fileNameWithoutExt(const QString &path)
{
    const QString name = extractFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString fileExtension(const QString &path)
{
    const qsizetype dot = extensionDotIndex(path);
    return dot < 0 ? QString() : path.mid(dot + 1);
}

QString pathWithoutExt(const QString &path)
{
    const qsizetype dot = extensionDotIndex(path);
    return dot < 0 ? path : path.left(dot);
}

QString changeFileExt(const QString &path, const QString &newExt)
{
    return pathWithoutExt(path) + newExt;
}

QString includeTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QDir::separator();
}

QString joinFolderNameExt(const QString &folder, const QString &name, const QString &ext)
{
    QString out = includeTrailingSeparator(folder) + name;
    if (!ext.isEmpty())
        out += QLatin1Char('.') + ext;
    return out;
}
