#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Where "Desa ara" writes the settings in force: beside the presentation, the program's default
// configuration, or a file the user chooses.
enum class SaveDestination : std::uint8_t { Presentation = 0, Default = 1, Chosen = 2 };
// What happens at start-up without a file argument: nothing, open the last list, or open and run
// it.
enum class AutomaticInitMode : std::uint8_t { Nothing = 0, OpenLast = 1, OpenAndRun = 2 };
// What opening a list does after loading it: run it, edit it, check it, or nothing more.
enum class OpenSalAction : std::uint8_t { Run = 0, Edit = 1, Check = 2, Nothing = 3 };
// Whether a presentation's own settings are saved when it closes: always, after asking, or never.
enum class SaveConfigPolicy : std::uint8_t { Always = 0, Ask = 1, Never = 2 };

// The results-writing settings (section WriteResults of a configuration, and of the
// administrator's results configuration).
struct WriteResultsSettings
{
    bool Write = false;
    QString Dir; // without a trailing separator; the program's folder by default
    bool SalPath = false;
    bool Duration = true;
    bool Time = false;
    // Set when the folder did not exist at start-up: nothing is written during this run.
    bool disabledForRun = false;
    // A user is identified for this destination and its folder exists.
    bool Valid = false;
    // The destination is written to.
    bool inUse() const { return Write && Valid && !disabledForRun; }
};

// The results-writing settings of one destination.
using TWriteRes = WriteResultsSettings;

// The program-wide keys kept only in the program configuration.
struct ProgramWideOptions
{
    bool InstalledSamples = false;
    bool SeveralUsers = false;
    bool UserConfiguration = false;
    bool UseAdminPassword = false;
    QString AdminPassword; // stored Base64-encoded
    QString DBUsersDir;    // stored Base64-encoded
};

// The options that belong to the program and its user rather than to one presentation.
struct ProgramOptions
{
    // [Options]
    bool EdiAudioFL = false;
    bool HideMainMenu = false;
    bool EdiNoAudioPlay = false;
    bool EdiHideMainMenu = false;
    bool HidePathExtInRigthPanel = true;
    int EdiSMLSortFN = 0;
    bool EdiSMLCopyAutomaticFN = true;
    bool SWmlFieldsUpCase1stChar = true;
    int AudioFFilterIndex = 0;
    bool LastConfigWhenNewPres = true;
    bool AddTitleSlOnEdiFLSl = true;
    bool OnAppend_PWithAnswer = false;
    bool OnAppend_PWithPromptForAnswer = false;
    bool OnAppend_PRandomAnswer = false;
    bool OnBPostEdit_TrimSpaces = true;
    bool OnBPostEdit_UpCase1stCharDownP = false;
    bool OnBPostEdit_UpCase1stCharUpP = false;
    QString CurrentSALName;
    AutomaticInitMode AutomaticInit = AutomaticInitMode::Nothing;
    OpenSalAction OpenSalOption = OpenSalAction::Run;
    SaveConfigPolicy SaveIndividualConfigO = SaveConfigPolicy::Ask;
    bool LoadIndividualConfig = true;
    bool SaveDefaultConfigOnCloseWithPrompt = true;
    bool SetPosNumberFNAtEnd = false;
    bool NoWarningWhenNoSlideExist = false;
    bool NoWarningWhenNoAudioFNExist = false;
    bool NoWarningWhenNoOpenFNExist = false;
    bool FilesAutomaticReread = false;
    bool EdiLargeMiniature = false;
    bool PresIndexAsGrid = false;
    bool IndexSortByDir = false;
    bool AsciiListWithTab = false;

    // [EditSAL]: the commands on the drop-down tool buttons, as indexes into their lists.
    int ImageSlidesIndex = 0;   // 0..3
    int ActionEndIndex = 0;     // 0..3
    int ActionOptionsIndex = 0; // 0..10
    int ActionXIndex = 0;       // 0..2
    QString SelectedPath;
    QString SelectedAudioPath;
    int MaxBmpFileSize = 5000000;
    int MaxOthersImgFileSize = 500000;

    // [FFilter]
    bool FilterBmp = true, FilterGif = true, FilterHtml = true, FilterJpeg = true, FilterRtf = true,
         FilterTxt = true, FilterWmf = true, FilterVideo = true, FilterSal = true,
         FilterExe = false;

    // [WriteResults] of this configuration: the user's own results writing.
    WriteResultsSettings Results;

    // The favourite folders (FavDirs.dfa), one row per line as stored.
    QStringList FavDirs;
};
