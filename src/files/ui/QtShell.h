#pragma once

#include "files/Shell.h"

// The desktop's own services: documents through the associated program, programs started
// detached in their folder, files moved to the trash.
class QtShell : public Shell
{
public:
    Fallible<void> openDocument(const QString &path) override;
    Fallible<void> startProgram(const QString &program, const QStringList &arguments,
                                const QString &folder) override;
    // A text file opens in whatever the desktop opens text files with.
    Fallible<void> openInTextEditor(const QString &path) override;
    Fallible<void> moveToTrash(const QString &path) override;
};
