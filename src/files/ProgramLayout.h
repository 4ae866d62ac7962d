#pragma once

#include <QString>
#include <QStringList>

// Where the program's data (the help, the icons, the examples) lies, seen from the program's own
// folder. Installed, the program and its plug-ins are in <prefix>/lib/pelvar and the data in
// <prefix>/share/pelvar; in the build tree the program is in bin/ and the data in share/pelvar
// beside it. The installed place is tried first, so that the look-up does not depend on anything
// outside the program's own tree.
class ProgramLayout
{
public:
    // `programDir` is the folder of the running program (its symbolic links resolved).
    explicit ProgramLayout(const QString &programDir);

    // The data folders to look in, in order: the installed one, then the build tree's.
    QStringList dataDirs() const;
    // The first data folder's `relativePath` that exists; when none does, the installed one's,
    // so that a message names the file an installation should have.
    QString find(const QString &relativePath) const;
    // Whether the program runs from an installation: its data folder stands where installing
    // puts it. An installed program keeps nothing of the user's in its own folder.
    bool installed() const;

    QString helpCollection() const { return find(QStringLiteral("help/pelvar.qhc")); }
    QString iconsDir() const { return find(QStringLiteral("icons")); }

    // The installed data folder relative to the installed program's folder, as the build's
    // install rules lay them out.
    static QString installedDataFromProgram() { return QStringLiteral("../../share/pelvar"); }

private:
    QString m_programDir;
};
