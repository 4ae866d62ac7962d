#pragma once

#include <QString>
#include <QStringList>

class Prompter;

// Registering the program's file types with the desktop: a shared-MIME package for .sal, .sml
// and .wml, a desktop entry that opens them with this program, and their icons, all under the
// user's data folder; the desktop's database tools are run when present.
struct FileTypeRegistration
{
    QString dataDir;     // the user's data folder (~/.local/share); tests give their own
    QString programPath; // the program's full path
    QString iconsDir;    // where SalExt.ico and the others are looked for (the program's folder)
    QStringList updateToolsRun; // filled with the tools that were run (for tests)

    // Returns whether everything was registered; failures are reported through the prompter with
    // the program's messages, and what could be registered stays registered.
    bool RegisterFileTypes(Prompter &prompter);
    // Removes what RegisterFileTypes made, ".sml" included.
    bool UnregisterFileTypes(Prompter &prompter);

    QString mimePackagePath() const;
    QString desktopEntryPath() const;
    QString iconPath(const QString &typeName) const;
};
