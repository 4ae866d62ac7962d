#include "files/ui/QtShell.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

Fallible<void> QtShell::openDocument(const QString &path)
{
    // A missing file is refused here rather than handed to the desktop, which would show a
    // window of its own.
    const QFileInfo info(path);
    if (!info.exists() || !QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
        return Fallible<void>::failure(shellFailureReason(path, ShellOperation::OpenDocument));
    return Fallible<void>::success();
}

Fallible<void> QtShell::startProgram(const QString &program, const QStringList &arguments,
                                     const QString &folder)
{
    // A working folder that is not there is refused rather than left to the new process.
    const bool folderMissing = !folder.isEmpty() && !QFileInfo(folder).isDir();
    if (folderMissing || !QProcess::startDetached(program, arguments, folder))
        return Fallible<void>::failure(
            shellFailureReason(program, ShellOperation::StartProgram, folder));
    return Fallible<void>::success();
}

Fallible<void> QtShell::openInTextEditor(const QString &path)
{
    return openDocument(path);
}

Fallible<void> QtShell::moveToTrash(const QString &path)
{
    if (!QFile::moveToTrash(path))
        return Fallible<void>::failure(shellFailureReason(path, ShellOperation::MoveToTrash));
    return Fallible<void>::success();
}
