#pragma once

#include "config/TNewIniFile.h"

#include <QString>

#include <memory>

// Where the program's own files are: its folder, its base name and the program configuration.
// The configuration folder is the program's folder when the program runs from a folder of its own
// that the user can write (the build tree, a copied folder). An installed program, or one whose
// folder cannot be written, keeps it in the user's configuration folder (~/.config/<base name>),
// even for root: nothing of a user's lands among the installed files. PELVAR_CONFIG_DIR overrides
// both.
class THlpIniFLoadSave
{
public:
    // `executablePath` is the running program's path (its real letter case is kept).
    explicit THlpIniFLoadSave(const QString &executablePath);
    // For tests and tools: the files live in `configDir`, the program is `baseName`.
    THlpIniFLoadSave(const QString &configDir, const QString &baseName);

    QString ProgramDir;      // with a trailing separator
    QString ProgramBaseName; // "Pelvar"
    QString ConfigDir;       // with a trailing separator: where the settings files go
    QString ProgramIniPath;  // ConfigDir + ProgramBaseName + ".ini"

    QString individualIniPath(const QString &userName) const;
    QString favDirsPath() const;
    QString helpFilePath() const;

    TNewIniFile &OpenProgramIni();
    void CloseProgramIni();
    TNewIniFile *programIni() { return m_ini.get(); }

private:
    std::unique_ptr<TNewIniFile> m_ini;
};
