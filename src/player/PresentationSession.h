#pragma once

#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptions.h"
#include "player/PlayerView.h"
#include "presentation/SlideList.h"
#include "tables/MeaningTables.h"
#include "users/AccessLevel.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class Prompter;
class TNewIniFile;

// The document in force: the slide list and its path, the settings the presentation is shown
// with, the program options, the two meaning tables beside the list, and who uses it. It opens,
// loads, validates and saves them and applies the configuration policies. The player steps
// through it; editors, table editors and option dialogs work on it without the player.
class PresentationSession
{
public:
    PresentationSession(SessionView &view, Prompter &prompter);

    SlideList SlideLines;
    QString SlideListPath = SlideList::untitledName();
    QString PreviousListPath;
    bool PresentationReady = false;
    // The list in force has a line that is not hidden: it can be started.
    bool HasVisibleSlide = false;

    PresentationSettings Settings;
    ProgramOptions Options;
    bool SettingsModified = false;
    QString ConfigSource; // the file the settings in force were read from or saved to
    bool ConfigNotDefault = false;

    // The presentation's meaning tables, loaded with the list when they lie beside it.
    MeaningTable WordTable{MeaningKind::Words};
    MeaningTable SoundTable{MeaningKind::Sounds};

    // The access state. Results writing: the user's own destination is Options.Results; the
    // administrator's is AdminResults, optionally one folder per domain.
    enum AccessLevel AccessLevel = AccessLevel::Full;
    // Several users share the program (the administrator's options exist only then).
    bool SeveralUsers = false;
    QString UserName;
    QString UserDomain;
    bool UserIdentified = false; // results may be written for the user
    TWriteRes AdminResults;
    // The results folder of a domain, "" when it has none (the users module answers it).
    std::function<QString(const QString &domain)> DomainResultsDir;

    // Settings that override the presentation's configuration file as if they stood in it
    // (the command line's --set).
    std::vector<std::pair<QString, QString>> SettingOverrides; // "Section.Key", value
    // Where "per defecte" saves: the program configuration. Empty in headless runs.
    QString ProgramIniPath;
    enum SaveDestination SaveDestination = SaveDestination::Default;
    // Fonts, questions and the picture dialog used while reading settings files.
    SettingsReadContext ReadContext;

    // Whether the close query of the list in force was already answered for this opening.
    enum class CloseQuery { Ask, AlreadyAsked };

    // Offers to save the list in force (unless already asked), then makes `path` the list in
    // force and loads it. False when the close was refused.
    bool OpenPresentation(const QString &path, CloseQuery query = CloseQuery::Ask);
    // Makes `path` the list in force without loading it.
    void setListPath(const QString &path);
    // Reads the list, the meaning tables beside it and its own configuration, and validates the
    // list. False when the list could not be read (nothing is ready) or a table beside it could
    // not be (the list is ready all the same).
    bool LoadPresentation();
    void ValidateList();
    // Loads the meaning table `path` names on its own, without a list: ".wml" words, ".sml"
    // pictures and sounds. Its edit command follows. False when `path` names no table, the file
    // does not exist or it could not be read (the message has been shown).
    bool LoadMeaningTableFile(const QString &path);
    // A table editor wrote the table of that kind to its file: its edit command is enabled.
    void TableSaved(MeaningKind kind);
    // The table of that kind belongs to no file any more: its edit command is disabled.
    void TableForgotten(MeaningKind kind);
    bool SaveSlideList(const QString &path);
    // Reads the list's own configuration when loading it is on and the file exists.
    bool LoadPresentationConfig();
    // Writes the settings in force into `path` (keys of other kinds kept); true when written.
    bool SaveConfigTo(const QString &path);
    // Saves the presentation settings beside the list (its ".ini"); true when saved.
    bool SavePresentationConfig();
    // Saves now to SaveDestination; `chosenPath` is the file for SaveDestination::Chosen.
    bool SaveNow(const QString &chosenPath = QString());
    bool OfferToSaveConfig() const;
    bool isUnnamed() const;
    // A_F_OpenIni: offers to save the settings in force, then reads the chosen file.
    void OpenIni();
    QString presentationConfigPath() const;
    // Whether a line of the list names a file of `kind` (hidden lines too).
    bool hasSlideKind(TSlideKind kind) const;
    // Offers to save the list and its settings before another list replaces it. False when
    // the user cancelled or the list could not be saved.
    bool QueryCloseList();

    // Appends a result to every results destination in use, for the run that started at
    // `start` and ended at `end`.
    void WriteResult(const QString &text, const QDateTime &start, const QDateTime &end);
    QString adminResultsPath();

private:
    // Reads the settings in force from `ini` under the busy cursor; the window follows them.
    void readSettings(const TNewIniFile &ini);
    // Reads a meaning table beside the list, showing what went wrong; true when it was read whole.
    bool loadMeaningTable(MeaningTable &table, const QString &path);

    SessionView &m_view;
    Prompter &m_prompter;
};
