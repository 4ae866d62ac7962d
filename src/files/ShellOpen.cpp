#include "files/ShellOpen.h"

#include "files/Prompter.h"
#include "files/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

#include <array>
#include <utility>

namespace {

struct Reason
{
    ShellResult code;
    const char *text; // UTF-8
};

constexpr std::array<Reason, 13> kReasons = {{
    {ShellResult::OutOfResources, "S'ha esgotat la memòria o els recusos del sistema operatiu"},
    {ShellResult::FileNotFound, "No s'ha trobat l'arxiu especificat"},
    {ShellResult::PathNotFound, "No s'ha trobat la via especificada"},
    {ShellResult::AccessDenied, "El sistema operatiu denega l'accés a l'arxiu especificat"},
    {ShellResult::OutOfMemory, "No hi ha prou memòria per completar l'operació"},
    {ShellResult::BadFormat, "L'arxiu .EXE no és vàlid (no-Win32 .EXE o error en la imatge .EXE)"},
    {ShellResult::SharingViolation, "Hi ha hagut una violació de compartimentació"},
    {ShellResult::AssociationIncomplete, "L'associació de l'arxiu és incompleta o invàlida"},
    {ShellResult::DdeTimeout, "La transacció DDE no ha pogut ser completada perqué s'ha esgotat "
                              "el temps requerit"},
    {ShellResult::DdeFailed, "La transacció DDE ha fallat"},
    {ShellResult::DdeBusy, "La transacció DDE no ha pogut ser completada perqué altres "
                           "transaccions DDE s'estaven processant"},
    {ShellResult::NoAssociation, "No hi ha cap aplicació associada amb l'extensió de l'arxiu"},
    {ShellResult::DllNotFound, "La dynamic-link library especificada no s'ha trobat"},
}};

// The shell seam says why it failed in words; the code is the one whose reason those words are.
int codeForReason(const QString &reason)
{
    for (const Reason &r : kReasons)
        if (reason == QString::fromUtf8(r.text))
            return int(r.code);
    return int(ShellResult::Failed);
}

// What the user is told: the code's reason, or for a failure of no known kind whatever the
// shell said.
struct Outcome
{
    int code = int(ShellResult::Succeeded);
    QString shellMessage;
};

Outcome fromFallible(const Fallible<void> &done)
{
    if (done.ok())
        return {};
    return {codeForReason(done.error()), done.error()};
}

// Programs are started, everything else is opened as a document. The program files slide lists
// name carry a program extension; on this desktop a program is also a file the user may run
// whose content is a program or a script, whatever its name.
bool isProgramFile(const QFileInfo &info)
{
    static const QStringList programExtensions{QStringLiteral("exe"), QStringLiteral("com"),
                                               QStringLiteral("bat"), QStringLiteral("cmd")};
    const QString ext = info.suffix();
    for (const QString &e : programExtensions)
        if (ext.compare(e, Qt::CaseInsensitive) == 0)
            return true;
    if (!info.exists())
        return ext.isEmpty(); // programs here carry no extension; documents do
    if (!info.isFile() || !info.isExecutable())
        return false;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    for (const char *kind :
         {"application/x-executable", "application/x-pie-executable", "application/x-sharedlib",
          "application/x-shellscript", "application/x-ms-dos-executable"})
        if (type.inherits(QLatin1String(kind)))
            return true;
    return false;
}

Outcome run(Shell &shell, const QString &operation, const QString &file, const QString &parameters,
            const QString &folder)
{
    if (operation.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return {int(ShellResult::NoAssociation), QString()};
    const QString path =
        folder.isEmpty() || QDir::isAbsolutePath(file) ? file : QDir(folder).filePath(file);
    const QFileInfo info(path);
    if (isProgramFile(info)) {
        const QString workDir = folder.isEmpty() ? info.absolutePath() : folder;
        return fromFallible(shell.startProgram(info.absoluteFilePath(),
                                               QProcess::splitCommand(parameters), workDir));
    }
    return fromFallible(shell.openDocument(path));
}

} // namespace

QString shellResultReason(int code)
{
    for (const Reason &r : kReasons)
        if (int(r.code) == code)
            return QString::fromUtf8(r.text);
    return QString();
}

QString shellOpenMessage(const QString &operation, const QString &file, const QString &reason)
{
    const QString word = operation.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0
                             ? QStringLiteral("obrir")
                             : operation;
    return QStringLiteral("No es pot %1 l'arxiu %2, ja que: %3").arg(word, file, reason);
}

int ShellOpen(Shell &shell, Prompter &prompter, const QString &operation, const QString &file,
              const QString &parameters, const QString &folder, ShowMode showMode)
{
    (void)showMode; // the desktop shows new windows its own way
    const Outcome outcome = run(shell, operation, file, parameters, folder);
    if (!shellSucceeded(outcome.code)) {
        QString reason = shellResultReason(outcome.code);
        if (reason.isEmpty())
            reason = outcome.shellMessage;
        prompter.ShowError(shellOpenMessage(operation, file, reason));
    }
    return outcome.code;
}
