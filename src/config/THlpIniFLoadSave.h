#pragma once

#include "config/TNewIniFile.h"

#include <QString>

#include <memory>

// Where the program's own files are: its folder, its base name and the program configuration.
// The configuration folder is the program's folder; when that cannot be written (an installed
// program) it is the user's configuration folder instead, and PELVAR_CONFIG_DIR overrides both.
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
