#pragma once

#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptions.h"
#include "config/ProgramOptionsFile.h"
#include "config/THlpIniFLoadSave.h"

class Prompter;

// The configuration module, created before any window: the program's paths, the program-wide
// keys, the administrator's results settings, which configuration is in use, and the start-up
// reading and exit saving of the configuration files.
class TModIniLS
{
public:
    explicit TModIniLS(THlpIniFLoadSave paths);

    THlpIniFLoadSave &paths() { return m_paths; }

    ProgramWideOptions Wide;
    WriteResultsSettings AdminResults; // from DBUsersDir + "Results.ini"
    QString UserName;                  // the identified user, empty when none
    bool IndividualConfigActive = false;
    bool LastSaveInterrupted = false;

    // The administrator's results configuration: the users folder text followed directly by
    // "Results.ini", with no separator put between.
    QString resultsIniPath() const;
    // The file the program options and default settings come from and go to.
    QString optionsIniPath() const;

    // Start-up: the program-wide keys, then the administrator's results settings.
    void readProgramWide(Prompter &prompter);
    // After identification: the individual configuration is in use when users have their own and
    // one was identified.
    void setIdentifiedUser(const QString &userName);
    void readProgramOptions(ProgramOptions &options, const ProgramOptionsReadContext &ctx);
    // The default presentation settings, when no presentation configuration was read.
    void readDefaultSettings(PresentationSettings &settings, const SettingsReadContext &ctx);
    void loadFavDirs(ProgramOptions &options);

    // Exit: writes the program-wide keys and the options (asking first when an earlier attempt
    // failed). `settingsModified` says the settings in force were changed and not saved with the
    // presentation; they are then offered as the new defaults. Returns whether all was written.
    bool saveAtExit(const ProgramOptions &options, const PresentationSettings &settings,
                    bool settingsModified, Prompter &prompter);

    // Records at once, in the program configuration, that the examples were adapted, so that the
    // welcome dialog does not come back even if the program does not end normally.
    bool recordInstalledSamples(Prompter &prompter);

private:
    bool writeFavDirs(const ProgramOptions &options, Prompter &prompter);

    THlpIniFLoadSave m_paths;
};
