#include "config/THlpIniFLoadSave.h"

#include "files/FileNames.h"
#include "files/ProgramLayout.h"

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
    } else if (ProgramDir.isEmpty() ||
               (!ProgramLayout(QFileInfo(exe.canonicalFilePath()).absolutePath()).installed() &&
                folderWritable(ProgramDir))) {
        ConfigDir = ProgramDir;
    } else {
        // Named after the program, not after the application name: the window and the modes
        // without a window set different ones, and must read the same file.
        const QString user =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QLatin1Char('/') + ProgramBaseName;
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
