#include "files/CopyMovePlan.h"

#include "files/NumberFormat.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace {

bool hasDrive(const QString &path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter() &&
           path.at(0).unicode() < 128;
}

QChar separatorFor(const QString &folder)
{
    return hasDrive(folder) ? QLatin1Char('\\') : QLatin1Char('/');
}

bool isSeparator(const QString &path, qsizetype i, bool drive)
{
    const QChar c = path.at(i);
    return c == QLatin1Char('/') || (drive && c == QLatin1Char('\\'));
}

qsizetype lastSeparator(const QString &name)
{
    const bool drive = hasDrive(name);
    for (qsizetype i = name.size() - 1; i >= 0; --i)
        if (isSeparator(name, i, drive))
            return i;
    return -1;
}

QString joined(const QString &folder, QString rest)
{
    const QChar sep = separatorFor(folder);
    QString head = folder;
    while (head.size() > 1 && (head.endsWith(QLatin1Char('/')) || head.endsWith(sep)))
        head.chop(1);
    // On this system a backslash is a character of the name, not a separator.
    while (rest.startsWith(QLatin1Char('/')) || rest.startsWith(sep))
        rest.remove(0, 1);
    if (sep == QLatin1Char('\\'))
        rest.replace(QLatin1Char('/'), sep);
    if (head.endsWith(sep))
        return head + rest;
    return head + sep + rest;
}

QStringList components(const QString &folder)
{
    const bool drive = hasDrive(folder);
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < folder.size(); ++i) {
        if (isSeparator(folder, i, drive)) {
            if (!current.isEmpty())
                parts << current;
            current.clear();
        } else {
            current += folder.at(i);
        }
    }
    if (!current.isEmpty())
        parts << current;
    return parts;
}

} // namespace

QString actionVerb(TFileAction action)
{
    return action == TFileAction::faCopy ? QStringLiteral("copiar") : QStringLiteral("moure");
}

QString fileNamePart(const QString &name)
{
    return name.mid(lastSeparator(name) + 1);
}

QString folderPart(const QString &name)
{
    const qsizetype i = lastSeparator(name);
    if (i < 0)
        return QString();
    if (i == 0)
        return name.left(1);
    if (i == 2 && hasDrive(name))
        return name.left(3);
    return name.left(i);
}

QString copyMoveTargetName(const QString &name, const QString &sourceDir, const QString &targetDir,
                           bool singleDir)
{
    if (singleDir)
        return joined(targetDir, fileNamePart(name));
    if (sourceDir.isEmpty()) {
        if (hasDrive(name))
            return joined(targetDir, name.at(0).toUpper() + name.mid(2));
        return joined(targetDir, name);
    }
    return joined(targetDir, name);
}

QString commonFolderPrefix(const QStringList &folders)
{
    if (folders.isEmpty())
        return QString();
    const QString &first = folders.front();
    const bool drive = hasDrive(first);
    QStringList common = components(first);
    for (const QString &f : folders) {
        if (hasDrive(f) != drive || (drive && f.at(0).toUpper() != first.at(0).toUpper()))
            return QString();
        const QStringList parts = components(f);
        qsizetype n = 0;
        while (n < common.size() && n < parts.size() &&
               common.at(n).compare(parts.at(n), Qt::CaseInsensitive) == 0)
            ++n;
        common = common.mid(0, n);
    }
    // A drive alone ("C:") is no common folder, nor is the bare root.
    if (common.isEmpty() || (drive && common.size() == 1))
        return QString();
    if (drive)
        return common.join(QLatin1Char('\\'));
    return QLatin1Char('/') + common.join(QLatin1Char('/'));
}

QString copyTreeOnlyPath(const QString &folder, const QString &commonPrefix)
{
    const QStringList parts = components(folder);
    if (commonPrefix.isEmpty()) {
        QStringList rest = parts;
        if (hasDrive(folder) && !rest.isEmpty())
            rest.front() = folder.left(1); // "C:" -> "C"
        return rest.join(separatorFor(folder));
    }
    return parts.mid(components(commonPrefix).size()).join(separatorFor(folder));
}

QStringList singleDirClashes(const QStringList &names)
{
    QHash<QString, int> count;
    for (const QString &n : names)
        ++count[fileNamePart(n).toCaseFolded()];
    QStringList out;
    for (const QString &n : names)
        if (count.value(fileNamePart(n).toCaseFolded()) > 1)
            out << n;
    return out;
}

qint64 spaceAllowance(TFileAction action, bool sameVolume, qint64 sourceSize, qint64 replacedSize)
{
    if (action == TFileAction::faMove && sameVolume)
        return std::max<qint64>(sourceSize, 0);
    return std::max<qint64>(replacedSize, 0);
}

qint64 transferTotal(const std::vector<PlannedFile> &files,
                     const std::function<bool(const QString &)> &folderExists)
{
    qint64 total = 0;
    QString previous;
    for (const PlannedFile &f : files) {
        total += std::max<qint64>(f.size, 0);
        const QString &folder = f.targetFolder;
        const bool holdsPrevious =
            !previous.isEmpty() && (previous.startsWith(folder + QLatin1Char('/')) ||
                                    previous.startsWith(folder + QLatin1Char('\\')));
        if (folder != previous && !holdsPrevious && !folderExists(folder))
            total += 512;
        previous = folder;
    }
    return total;
}

QString notEnoughSpaceMessage(bool freeSpace, qint64 availableBytes, qint64 totalBytes)
{
    return (freeSpace ? QStringLiteral("No hi ha prou espai lliure ")
                      : QStringLiteral("No hi ha prou espai ")) +
           QStringLiteral("a destí (%1 bytes) pels arxius sel·leccionats (%2 bytes)")
               .arg(withThousands(availableBytes), withThousands(totalBytes));
}

QString overwriteQuestion(const QString &target, qint64 targetSize, const QDateTime &targetTime,
                          const QString &source, qint64 sourceSize, const QDateTime &sourceTime)
{
    const QString format = QStringLiteral("dd/MM/yyyy hh:mm:ss");
    return QStringLiteral("Reescriure %1\r\nMida: %2 bytes  Data: %3\r\n\r\namb: %4\r\nMida: %5 "
                          "bytes  Data: %6")
        .arg(target, withThousands(targetSize), targetTime.toString(format), source,
             withThousands(sourceSize), sourceTime.toString(format));
}

QString clashMessage(TFileAction action, const QStringList &clashing)
{
    return QStringLiteral("Hi ha arxius amb el mateix nom al provar de %1 a un mateix directori:")
               .arg(actionVerb(action)) +
           QStringLiteral("\r\n") + clashing.join(QStringLiteral("\r\n"));
}

QString temporaryTargetName(const QString &target)
{
    const QString name = fileNamePart(target);
    QString temp = QStringLiteral(".~") + name + QStringLiteral(".part");
    // A long name would pass the file system's limit once marked: use its digest instead.
    if (QFile::encodeName(temp).size() > 255)
        temp = QStringLiteral(".~") +
               QString::fromLatin1(
                   QCryptographicHash::hash(QFile::encodeName(name), QCryptographicHash::Sha1)
                       .toHex()) +
               QStringLiteral(".part");
    const QString folder = folderPart(target);
    return folder.isEmpty() ? temp : joined(folder, temp);
}

int percentOf(qint64 done, qint64 total)
{
    if (total <= 0)
        return 100;
    return int(std::clamp<qint64>(done * 100 / total, 0, 100));
}
