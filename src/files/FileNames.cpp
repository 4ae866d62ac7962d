#include "files/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString excludeTrailingSeparator(const QString &folder)
{
    const bool root = folder.size() == 1 || (folder.size() == 3 && folder[1] == QLatin1Char(':'));
    if (root || !(folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        return folder;
    return folder.chopped(1);
}

QString removeLastChar(const QString &text, QChar c)
{
    return text.endsWith(c) ? text.chopped(1) : text;
}

QString parentFolder(const QString &path)
{
    return extractFileDir(excludeTrailingSeparator(path));
}

QString backupFileName(const QString &path)
{
    const qsizetype nameStart = lastSeparatorIndex(path) + 1;
    return path.left(nameStart) + QLatin1Char('~') + path.mid(nameStart);
}

int driveNumber(QChar letter)
{
    const char16_t u = letter.toUpper().unicode();
    return u >= u'A' && u <= u'Z' ? int(u - u'A') + 1 : 0;
}

QString nearestExistingFolder(const QString &path)
{
    QString folder =
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString up = extractFileDir(folder);
        if (up == folder)
            break;
        folder = up;
    }
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? QDir::rootPath() : folder;
}

QString joinFolderNameExt(const QString &folder, const QString &name, const QString &ext)
{
    QString out = includeTrailingSeparator(folder) + name;
    if (!ext.isEmpty())
        out += QLatin1Char('.') + ext;
    return out;
}

std::optional<QString> fileNameFromLocalBytes(const QByteArray &bytes)
{
    QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) != bytes)
        return std::nullopt;
    return name;
}

QString showLocalBytes(const QByteArray &bytes)
{
    QString out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        // The longest well-formed character starting here, if any (it encodes back the same).
        qsizetype taken = 0;
        for (qsizetype len = 1; len <= 4 && i + len <= bytes.size() && taken == 0; ++len) {
            const QByteArray piece = bytes.mid(i, len);
            const QString decoded = QString::fromUtf8(piece);
            if (!decoded.contains(QChar::ReplacementCharacter) && decoded.toUtf8() == piece)
                taken = len;
        }
        if (taken > 0) {
            out += QString::fromUtf8(bytes.mid(i, taken));
            i += taken;
        } else {
            out +=
                QStringLiteral("\\x") +
                QString::number(uchar(bytes[i]), 16).toUpper().rightJustified(2, QLatin1Char('0'));
            ++i;
        }
    }
    return out;
}

QString unrepresentableNameMessage(const QByteArray &bytes)
{
    return QStringLiteral("No es pot obrir '%1': el nom no està escrit en UTF-8 i aquest sistema "
                          "no el pot representar. Canvieu el nom de l'arxiu (o de la carpeta).")
        .arg(showLocalBytes(bytes));
}
