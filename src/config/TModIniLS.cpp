#include "config/TModIniLS.h"

#include "config/TNewIniFile.h"
#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"
#include "files/Prompter.h"
#include "files/TextCodec.h"

#include <QFile>

TModIniLS::TModIniLS(THlpIniFLoadSave paths) : m_paths(std::move(paths)) {}

QString TModIniLS::resultsIniPath() const
{
    return Wide.DBUsersDir + QStringLiteral("Results.ini");
}

QString TModIniLS::optionsIniPath() const
{
    return IndividualConfigActive ? m_paths.individualIniPath(UserName) : m_paths.ProgramIniPath;
}

void TModIniLS::readProgramWide(Prompter &prompter)
{
    TNewIniFile &ini = m_paths.OpenProgramIni();
    ReadProgramWideOptions(ini, Wide);
    m_paths.CloseProgramIni();
    if (!Wide.DBUsersDir.isEmpty()) {
        TNewIniFile results(resultsIniPath());
        results.load();
        // Results go by default where the settings go: the program's folder, unless it cannot be
        // written (an installed program), then the user's settings folder.
        ReadWriteResults(results, AdminResults, m_paths.ConfigDir, &prompter);
    }
}

void TModIniLS::setIdentifiedUser(const QString &userName)
{
    UserName = userName;
    IndividualConfigActive = Wide.UserConfiguration && !userName.isEmpty();
}

void TModIniLS::readProgramOptions(ProgramOptions &options, const ProgramOptionsReadContext &ctx)
{
    TNewIniFile ini(optionsIniPath());
    ini.load();
    ReadProgramOptions(ini, options, ctx);
}

void TModIniLS::readDefaultSettings(PresentationSettings &settings, const SettingsReadContext &ctx)
{
    TNewIniFile ini(optionsIniPath());
    ini.load();
    ReadPresentationSettings(ini, settings, ctx);
}

void TModIniLS::loadFavDirs(ProgramOptions &options)
{
    QFile file(m_paths.favDirsPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    options.FavDirs = splitTextLines(decode8BitText(file.readAll()).text);
}

bool TModIniLS::writeFavDirs(const ProgramOptions &options, Prompter &prompter)
{
    const QString path = m_paths.favDirsPath();
    if (options.FavDirs.isEmpty() && !QFile::exists(path))
        return true;
    if (!EnsureWritable(path, prompter))
        return false;
    const QString text = joinTextLines(options.FavDirs);
    return writeFileAtomically(path, encode8BitText(text, encodingForNewText(text))).ok;
}

bool TModIniLS::recordInstalledSamples(Prompter &prompter)
{
    Wide.InstalledSamples = true;
    TNewIniFile &program = m_paths.OpenProgramIni();
    program.WriteBool(QStringLiteral("Options"), QStringLiteral("InstalledSamples"), true);
    const bool ok = program.UpdateFile(prompter).ok();
    m_paths.CloseProgramIni();
    return ok;
}

bool TModIniLS::saveAtExit(const ProgramOptions &options, const PresentationSettings &settings,
                           bool settingsModified, Prompter &prompter)
{
    if (LastSaveInterrupted &&
        !prompter.AskYes(QStringLiteral("Voleu provar de guardar la configuració de nou?")))
        return false;
    LastSaveInterrupted = true;

    TNewIniFile &program = m_paths.OpenProgramIni();
    WriteProgramWideOptions(program, Wide);

    TNewIniFile individual(m_paths.individualIniPath(UserName));
    TNewIniFile &target = IndividualConfigActive ? individual : program;
    if (IndividualConfigActive)
        individual.load();
    WriteProgramOptions(target, options);
    if (options.SaveIndividualConfigO != SaveConfigPolicy::Always && settingsModified &&
        options.SaveDefaultConfigOnCloseWithPrompt &&
        prompter.AskYes(
            QStringLiteral("Desar la configuració actual com a configuració per defecte?")))
        WritePresentationSettings(target, settings);
    const bool programIniIsNew = !QFile::exists(m_paths.ProgramIniPath);
    bool ok = target.UpdateFile(prompter).ok();
    // A new program configuration holding the administrator password is its owner's alone,
    // where the file system keeps owners.
    if (ok && !IndividualConfigActive && programIniIsNew && !Wide.AdminPassword.isEmpty())
        QFile::setPermissions(m_paths.ProgramIniPath,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // With an individual configuration in use the program configuration is freed unwritten.
    m_paths.CloseProgramIni();
    ok = writeFavDirs(options, prompter) && ok;
    if (ok)
        LastSaveInterrupted = false;
    return ok;
}
