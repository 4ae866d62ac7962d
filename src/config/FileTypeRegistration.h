#pragma once

#include <QString>
#include <QStringList>

class Prompter;

// Registering the program's file types with the desktop for one user: a shared-MIME package for
// .sal, .sml and .wml, a desktop entry that opens them with this program, and their icons, all
// under the user's data folder; the desktop's database tools are run when present. The package
// and the entry are those an installation puts in the system's folders (data/), the entry naming
// this program by its full path.
struct FileTypeRegistration
{
    QString dataDir;     // the user's data folder (~/.local/share); tests give their own
    QString programPath; // the program's full path
    QString iconsDir;    // where pelvar.svg and the type icons are looked for (beside the program)
    QStringList updateToolsRun; // filled with the tools that were run (for tests)

    // Returns whether everything was registered; failures are reported through the prompter with
    // the program's messages, and what could be registered stays registered.
    bool RegisterFileTypes(Prompter &prompter);
    // Removes what RegisterFileTypes made, ".sml" included.
    bool UnregisterFileTypes(Prompter &prompter);

    // The desktop entry that opens the types with the program at `programPath`.
    static QString desktopEntry(const QString &programPath);
    // `path` as one argument of a desktop entry's Exec line.
    static QString desktopExecArgument(const QString &path);

    QString mimePackagePath() const;
    QString desktopEntryPath() const;
    // Where a type's icon ("SALFile"...) and the program's icon are installed.
    QString iconPath(const QString &typeName) const;
    QString programIconPath() const;

private:
    // Copies `fileName` from iconsDir to `target`; a missing source is reported.
    bool installIcon(const QString &fileName, const QString &target, Prompter &prompter) const;
};
