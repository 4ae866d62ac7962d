#include "files/SendToEntry.h"

#include "files/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

QString sendToFolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/pelvar/SendTo");
}

namespace {

std::optional<SendToEntry> readLauncher(const QFileInfo &info)
{
    QFile f(info.absoluteFilePath());
    if (info.size() > 64 * 1024 || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    SendToEntry entry;
    entry.file = info.absoluteFilePath();
    entry.name = info.completeBaseName();
    QString type, url, exec;
    bool inEntry = false;
    for (const QString &line : splitTextLines(decode8BitText(f.readAll()).text)) {
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line.trimmed() == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QStringLiteral("Name"))
            entry.name = value;
        else if (key == QStringLiteral("Icon"))
            entry.icon = value;
        else if (key == QStringLiteral("Type"))
            type = value;
        else if (key == QStringLiteral("URL"))
            url = value;
        else if (key == QStringLiteral("Exec"))
            exec = value;
    }
    if (type == QStringLiteral("Link")) {
        const QUrl u(url);
        const QString local = u.isLocalFile() ? u.toLocalFile() : url;
        if (!QFileInfo(local).isDir())
            return std::nullopt;
        entry.targetFolder = local;
        return entry;
    }
    if (type == QStringLiteral("Application")) {
        // The program is the command's first word; field codes (%f, %U ...) are left out.
        const QStringList words = QProcess::splitCommand(exec);
        if (words.isEmpty())
            return std::nullopt;
        entry.program = words.front();
        return entry;
    }
    return std::nullopt;
}

} // namespace

std::vector<SendToEntry> readSendToEntries(const QString &folder)
{
    std::vector<SendToEntry> entries;
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : infos) {
        if (info.isSymLink() && info.isDir()) {
            SendToEntry e;
            e.file = info.absoluteFilePath();
            e.name = info.fileName();
            e.icon = QStringLiteral("folder");
            e.targetFolder = info.canonicalFilePath();
            entries.push_back(e);
        } else if (info.isFile() &&
                   info.suffix().compare(QStringLiteral("desktop"), Qt::CaseInsensitive) == 0) {
            if (std::optional<SendToEntry> e = readLauncher(info))
                entries.push_back(*e);
        }
    }
    return entries;
}
