#include "config/THlpIniFLoadSave.h"

#include "files/FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool folderWritable(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

} // namespace

THlpIniFLoadSave::THlpIniFLoadSave(const QString &executablePath)
{
    const QFileInfo exe(executablePath);
    if (exe.exists()) {
        ProgramDir = includeTrailingSeparator(QDir::toNativeSeparators(exe.absolutePath()));
        ProgramBaseName = fileNameWithoutExt(
            exe.canonicalFilePath().isEmpty() ? exe.fileName() : exe.canonicalFilePath());
    }
    const QString overrideDir = qEnvironmentVariable("PELVAR_CONFIG_DIR");
    if (!overrideDir.isEmpty()) {
        QDir().mkpath(overrideDir);
        ConfigDir = includeTrailingSeparator(QDir::toNativeSeparators(overrideDir));
    } else if (ProgramDir.isEmpty() || folderWritable(ProgramDir)) {
        ConfigDir = ProgramDir;
    } else {
        const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir().mkpath(user);
        ConfigDir = includeTrailingSeparator(QDir::toNativeSeparators(user));
    }
    ProgramIniPath = ConfigDir + ProgramBaseName + QStringLiteral(".ini");
}

THlpIniFLoadSave::THlpIniFLoadSave(const QString &configDir, const QString &baseName)
    : ProgramDir(includeTrailingSeparator(configDir)), ProgramBaseName(baseName),
      ConfigDir(includeTrailingSeparator(configDir)),
      ProgramIniPath(ConfigDir + baseName + QStringLiteral(".ini"))
{}

QString THlpIniFLoadSave::individualIniPath(const QString &userName) const
{
    return ConfigDir + QStringLiteral("PVR_") + userName + QStringLiteral(".ini");
}

QString THlpIniFLoadSave::favDirsPath() const
{
    return ConfigDir + QStringLiteral("FavDirs.dfa");
}

QString THlpIniFLoadSave::helpFilePath() const
{
    return ProgramDir + ProgramBaseName + QStringLiteral(".hlp");
}

TNewIniFile &THlpIniFLoadSave::OpenProgramIni()
{
    m_ini = std::make_unique<TNewIniFile>(ProgramIniPath);
    m_ini->load();
    return *m_ini;
}

void THlpIniFLoadSave::CloseProgramIni()
{
    m_ini.reset();
}
