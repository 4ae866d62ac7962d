#include "player/ResultsWriter.h"

#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/TextCodec.h"

#include <QFile>
#include <QFileInfo>

QString formatDuration(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString ResultsFilePath(const TWriteRes &res, const QString &userName)
{
    return includeTrailingSeparator(res.Dir) + userName + QStringLiteral(".txt");
}

bool AppendResult(const QString &filePath, const TWriteRes &res, const ResultsEntry &entry,
                  QString &previousListPath, Prompter &prompter)
{
    const QFileInfo info(filePath);
    const bool exists = info.isFile();
    const bool dateDue = !exists || info.lastModified().date() != entry.now.date();
    if (!EnsureWritable(filePath, prompter))
        return false;

    // The file is rewritten whole, so a character the old encoding lacks changes the encoding of
    // the whole file instead of mixing two in one file.
    DecodedText old;
    if (exists) {
        QFile in(filePath);
        if (!in.open(QIODevice::ReadOnly)) {
            prompter.ShowError(
                QStringLiteral("S'ha produït un error en obrir per escriure\r\n%1").arg(filePath));
            return false;
        }
        old = decode8BitText(in.readAll());
    }
    QStringList lines;
    if (dateDue) {
        lines.append(entry.now.date().toString(QStringLiteral("dd/MM/yyyy")));
        lines.append(QString());
    }
    if (entry.listPath != previousListPath) {
        previousListPath = entry.listPath;
        lines.append(res.SalPath ? pathWithoutExt(entry.listPath)
                                 : fileNameWithoutExt(entry.listPath));
        lines.append(QString());
    }
    QString message = entry.message;
    message.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.append(message.split(QLatin1Char('\n')));
    if (res.Duration || res.Time) {
        QString when;
        if (res.Duration)
            when = formatDuration(entry.durationSecs);
        if (res.Time)
            when += QStringLiteral("  ") + entry.now.time().toString(QStringLiteral("HH:mm:ss"));
        while (when.startsWith(QLatin1Char(' ')))
            when.remove(0, 1);
        lines.append(when);
    }
    lines.append(QString());

    const QString text = old.text + joinTextLines(lines);
    const TextEncoding encoding = exists ? old.encoding : encodingForNewText(text);
    if (!writeFileAtomically(filePath, encode8BitText(text, encoding)).ok) {
        prompter.ShowError(
            (exists ? QStringLiteral("S'ha produït un error en obrir per escriure\r\n%1")
                    : QStringLiteral("S'ha produït un error en crear\r\n%1"))
                .arg(filePath));
        return false;
    }
    return true;
}
