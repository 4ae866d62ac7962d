#include "files/Shortcut.h"

#include "files/AtomicFileWriter.h"
#include "files/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kLinkExt = QStringLiteral(".lnk");

// A string value of a desktop entry: backslash and control characters escaped, a leading space
// kept as \s.
QString entryValue(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char(' ') && i == 0)
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

// One argument of an Exec line: always quoted, the four characters special inside quotes escaped
// and field codes disarmed, so no name is split, expanded or taken for a field code.
QString execArgument(const QString &arg)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    return out + QLatin1Char('"');
}

} // namespace

Fallible<QString> SpecialFolderPath(SpecialFolder folder)
{
    const QString path = QStandardPaths::writableLocation(
        folder == SpecialFolder::DesktopDirectory ? QStandardPaths::DesktopLocation
                                                  : QStandardPaths::ApplicationsLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        return Fallible<QString>::failure(
            QStringLiteral("No s'ha trobat el directori '%1'").arg(path));
    return includeTrailingSeparator(QDir::toNativeSeparators(path));
}

QString desktopEntryExec(const QString &program, const QStringList &arguments)
{
    QStringList parts{execArgument(program)};
    for (const QString &arg : arguments)
        parts.append(execArgument(arg));
    return entryValue(parts.join(QLatin1Char(' ')));
}

Fallible<QString> CreateShortcut(const QString &target, const QStringList &arguments,
                                 const QString &description, const QString &shortcutFile)
{
    if (!shortcutFile.endsWith(kLinkExt, Qt::CaseInsensitive))
        return Fallible<QString>::failure(
            QStringLiteral("Error: l'extensió de la drecera ha de ser .LNK"));
    const QString base = shortcutFile.chopped(kLinkExt.size());
    const QString launcher = base + QStringLiteral(".desktop");
    const QFileInfo targetInfo(target);
    QString name = extractFileName(base);
    if (name.isEmpty())
        name = fileNameWithoutExt(target);

    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + entryValue(name) +
                    QLatin1Char('\n');
    if (!description.isEmpty())
        entry += QStringLiteral("Comment=") + entryValue(description) + QLatin1Char('\n');
    entry += QStringLiteral("Exec=") + desktopEntryExec(targetInfo.absoluteFilePath(), arguments) +
             QStringLiteral("\nPath=") + entryValue(targetInfo.absolutePath()) +
             QStringLiteral("\nTerminal=false\n");

    const WriteOutcome written = writeFileAtomically(launcher, entry.toUtf8());
    if (!written.ok)
        return Fallible<QString>::failure(
            QStringLiteral("S'ha produït un error en crear\r\n%1").arg(launcher));
    // Desktops run only the launchers their owner may execute.
    (void)QFile::setPermissions(launcher, QFile::permissions(launcher) | QFileDevice::ExeOwner |
                                              QFileDevice::ExeUser);
    return launcher;
}
