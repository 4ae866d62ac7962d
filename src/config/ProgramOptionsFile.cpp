#include "config/ProgramOptionsFile.h"

#include "config/Base64.h"
#include "config/TNewIniFile.h"
#include "files/FileNames.h"
#include "files/Prompter.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kEditSAL = QStringLiteral("EditSAL");
const QString kFFilter = QStringLiteral("FFilter");
const QString kResults = QStringLiteral("WriteResults");

QString withoutTrailingSeparator(QString dir)
{
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    return dir;
}

// Base64 breaks its text every 76 characters; inside a settings value a break would cut the value
// at the line's end, so values are stored on one line (decoding ignores breaks either way).
QString encodeForIni(const QString &text)
{
    return EncodeString(text).remove(QLatin1String("\r\n"));
}

int clampIndex(int value, int last)
{
    return (value < 0 || value > last) ? last : value;
}

// The boolean keys of [Options] in their order, bound to their fields.
struct BoolKey
{
    const char *key;
    bool ProgramOptions::*field;
};

constexpr BoolKey kLeadingBools[] = {
    {"EdiAudioFL", &ProgramOptions::EdiAudioFL},
    {"HideMainMenu", &ProgramOptions::HideMainMenu},
    {"EdiNoAudioPlay", &ProgramOptions::EdiNoAudioPlay},
    {"EdiHideMainMenu", &ProgramOptions::EdiHideMainMenu},
    {"HidePathExtInRigthPanel", &ProgramOptions::HidePathExtInRigthPanel}};

constexpr BoolKey kMiddleBools[] = {
    {"EdiSMLCopyAutomaticFN", &ProgramOptions::EdiSMLCopyAutomaticFN},
    {"SWmlFieldsUpCase1stChar", &ProgramOptions::SWmlFieldsUpCase1stChar}};

constexpr BoolKey kEditorBools[] = {
    {"LastConfigWhenNewPres", &ProgramOptions::LastConfigWhenNewPres},
    {"AddTitleSlOnEdiFLSl", &ProgramOptions::AddTitleSlOnEdiFLSl},
    {"OnAppend_PWithAnswer", &ProgramOptions::OnAppend_PWithAnswer},
    {"OnAppend_PWithPromptForAnswer", &ProgramOptions::OnAppend_PWithPromptForAnswer},
    {"OnAppend_PRandomAnswer", &ProgramOptions::OnAppend_PRandomAnswer},
    {"OnBPostEdit_TrimSpaces", &ProgramOptions::OnBPostEdit_TrimSpaces},
    {"OnBPostEdit_UpCase1stCharDownP", &ProgramOptions::OnBPostEdit_UpCase1stCharDownP},
    {"OnBPostEdit_UpCase1stCharUpP", &ProgramOptions::OnBPostEdit_UpCase1stCharUpP}};

constexpr BoolKey kTrailingBools[] = {
    {"SetPosNumberFNAtEnd", &ProgramOptions::SetPosNumberFNAtEnd},
    {"NoWarningWhenNoSlideExist", &ProgramOptions::NoWarningWhenNoSlideExist},
    {"NoWarningWhenNoAudioFNExist", &ProgramOptions::NoWarningWhenNoAudioFNExist},
    {"NoWarningWhenNoOpenFNExist", &ProgramOptions::NoWarningWhenNoOpenFNExist},
    {"FilesAutomaticReread", &ProgramOptions::FilesAutomaticReread},
    {"EdiLargeMiniature", &ProgramOptions::EdiLargeMiniature}};

constexpr BoolKey kFilters[] = {
    {"bmp", &ProgramOptions::FilterBmp},   {"gif", &ProgramOptions::FilterGif},
    {"html", &ProgramOptions::FilterHtml}, {"jpeg", &ProgramOptions::FilterJpeg},
    {"rtf", &ProgramOptions::FilterRtf},   {"txt", &ProgramOptions::FilterTxt},
    {"wmf", &ProgramOptions::FilterWmf},   {"video", &ProgramOptions::FilterVideo},
    {"sal", &ProgramOptions::FilterSal},   {"exe", &ProgramOptions::FilterExe}};

template <size_t N>
void readBools(const TNewIniFile &f, const QString &sec, const BoolKey (&keys)[N],
               ProgramOptions &o)
{
    const ProgramOptions defaults;
    for (const BoolKey &k : keys)
        o.*k.field = f.ReadBool(sec, QString::fromLatin1(k.key), defaults.*k.field);
}

template <size_t N>
void writeBools(TNewIniFile &f, const QString &sec, const BoolKey (&keys)[N],
                const ProgramOptions &o)
{
    for (const BoolKey &k : keys)
        f.WriteBool(sec, QString::fromLatin1(k.key), o.*k.field);
}

} // namespace

void ReadWriteResults(const TNewIniFile &f, WriteResultsSettings &r, const QString &programDir,
                      Prompter *prompter)
{
    r.Write = f.ReadBool(kResults, QStringLiteral("Write"), false);
    const QString stored = f.ReadString(kResults, QStringLiteral("Dir"), QString());
    r.Dir = withoutTrailingSeparator(
        f.ValueExists(kResults, QStringLiteral("Dir")) ? DecodeString(stored) : programDir);
    r.disabledForRun = false;
    if (r.Write && !QFileInfo(r.Dir).isDir()) {
        if (prompter)
            prompter->ShowWarning(QStringLiteral("No s'ha trobat el directori (%1) on escriure els "
                                                 "resultats,\r\nl'opció d'escriure els resultats "
                                                 "queda desactivada")
                                      .arg(r.Dir));
        r.Dir = nearestExistingFolder(r.Dir);
        r.disabledForRun = true;
    }
    r.SalPath = f.ReadBool(kResults, QStringLiteral("SalPath"), false);
    r.Duration = f.ReadBool(kResults, QStringLiteral("Duration"), true);
    r.Time = f.ReadBool(kResults, QStringLiteral("Time"), false);
}

void WriteWriteResults(TNewIniFile &f, const WriteResultsSettings &r)
{
    f.WriteBool(kResults, QStringLiteral("Write"), r.Write);
    f.WriteString(kResults, QStringLiteral("Dir"), encodeForIni(withoutTrailingSeparator(r.Dir)));
    f.WriteBool(kResults, QStringLiteral("SalPath"), r.SalPath);
    f.WriteBool(kResults, QStringLiteral("Duration"), r.Duration);
    f.WriteBool(kResults, QStringLiteral("Time"), r.Time);
}

bool ReadProgramOptions(const TNewIniFile &f, ProgramOptions &o,
                        const ProgramOptionsReadContext &ctx)
{
    const ProgramOptions d;
    ReadWriteResults(f, o.Results, withoutTrailingSeparator(ctx.programDir), ctx.prompter);

    readBools(f, kOptions, kLeadingBools, o);
    o.EdiSMLSortFN = f.ReadInteger(kOptions, QStringLiteral("EdiSMLSortFN"), d.EdiSMLSortFN);
    readBools(f, kOptions, kMiddleBools, o);
    o.AudioFFilterIndex =
        f.ReadInteger(kOptions, QStringLiteral("AudioFFilterIndex"), d.AudioFFilterIndex);
    readBools(f, kOptions, kEditorBools, o);
    if (!ctx.commandLineFile) {
        o.CurrentSALName = f.ReadString(kOptions, QStringLiteral("CurrentSALName"), QString());
        // A number out of range does nothing at start-up, as its hint says.
        const int init = f.ReadInteger(kOptions, QStringLiteral("AutomaticInit"), 0);
        o.AutomaticInit = AutomaticInitMode(init >= 0 && init <= 2 ? init : 0);
    }
    // Out of range: nothing more after opening; never saved without being asked.
    const int open = f.ReadInteger(kOptions, QStringLiteral("OpenSalOption"), int(d.OpenSalOption));
    o.OpenSalOption = OpenSalAction(open >= 0 && open <= 3 ? open : 3);
    const int save = f.ReadInteger(kOptions, QStringLiteral("SaveIndividualConfigO"),
                                   int(d.SaveIndividualConfigO));
    o.SaveIndividualConfigO = SaveConfigPolicy(save >= 0 && save <= 2 ? save : 2);
    o.LoadIndividualConfig =
        f.ReadBool(kOptions, QStringLiteral("LoadIndividualConfig"), d.LoadIndividualConfig);
    o.SaveDefaultConfigOnCloseWithPrompt =
        f.ReadBool(kOptions, QStringLiteral("SaveDefaultConfigOnCloseWithPrompt"),
                   d.SaveDefaultConfigOnCloseWithPrompt);
    readBools(f, kOptions, kTrailingBools, o);

    o.ImageSlidesIndex =
        clampIndex(f.ReadInteger(kEditSAL, QStringLiteral("ImageSlidesIndex"), 0), 3);
    int end = clampIndex(f.ReadInteger(kEditSAL, QStringLiteral("ActionEndIndex"), 0), 3);
    if ((end == 1 && !o.Results.Write) || (end == 3 && ctx.accessLevel == AccessLevel::ViewOnly))
        end = 0;
    o.ActionEndIndex = end;
    o.ActionOptionsIndex =
        clampIndex(f.ReadInteger(kEditSAL, QStringLiteral("ActionOptionsIndex"), 0), 10);
    o.ActionXIndex = clampIndex(f.ReadInteger(kEditSAL, QStringLiteral("ActionXIndex"), 0), 2);
    o.SelectedPath = f.ReadString(kEditSAL, QStringLiteral("SelectedPath"), QString());
    o.SelectedAudioPath = f.ReadString(kEditSAL, QStringLiteral("SelectedAudioPath"), QString());
    o.MaxBmpFileSize = f.ReadInteger(kEditSAL, QStringLiteral("MaxBmpFileSize"), d.MaxBmpFileSize);
    o.MaxOthersImgFileSize =
        f.ReadInteger(kEditSAL, QStringLiteral("MaxOthersImgFileSize"), d.MaxOthersImgFileSize);
    o.PresIndexAsGrid = f.ReadBool(kOptions, QStringLiteral("PresIndexAsGrid"), false);
    o.IndexSortByDir = f.ReadBool(kOptions, QStringLiteral("IndexSortByDir"), false);
    o.AsciiListWithTab = f.ReadBool(kOptions, QStringLiteral("AsciiListWithTab"), false);
    readBools(f, kFFilter, kFilters, o);
    return true;
}

bool WriteProgramOptions(TNewIniFile &f, const ProgramOptions &o)
{
    WriteWriteResults(f, o.Results);
    writeBools(f, kOptions, kLeadingBools, o);
    f.WriteInteger(kOptions, QStringLiteral("EdiSMLSortFN"), o.EdiSMLSortFN);
    writeBools(f, kOptions, kMiddleBools, o);
    f.WriteInteger(kOptions, QStringLiteral("AudioFFilterIndex"), o.AudioFFilterIndex);
    writeBools(f, kOptions, kEditorBools, o);
    f.WriteString(kOptions, QStringLiteral("CurrentSALName"), o.CurrentSALName);
    f.WriteInteger(kOptions, QStringLiteral("AutomaticInit"), int(o.AutomaticInit));
    f.WriteInteger(kOptions, QStringLiteral("OpenSalOption"), int(o.OpenSalOption));
    f.WriteInteger(kOptions, QStringLiteral("SaveIndividualConfigO"), int(o.SaveIndividualConfigO));
    f.WriteBool(kOptions, QStringLiteral("LoadIndividualConfig"), o.LoadIndividualConfig);
    f.WriteBool(kOptions, QStringLiteral("SaveDefaultConfigOnCloseWithPrompt"),
                o.SaveDefaultConfigOnCloseWithPrompt);
    writeBools(f, kOptions, kTrailingBools, o);
    f.WriteInteger(kEditSAL, QStringLiteral("ImageSlidesIndex"), o.ImageSlidesIndex);
    f.WriteInteger(kEditSAL, QStringLiteral("ActionEndIndex"), o.ActionEndIndex);
    f.WriteInteger(kEditSAL, QStringLiteral("ActionOptionsIndex"), o.ActionOptionsIndex);
    f.WriteInteger(kEditSAL, QStringLiteral("ActionXIndex"), o.ActionXIndex);
    f.WriteString(kEditSAL, QStringLiteral("SelectedPath"), o.SelectedPath);
    f.WriteString(kEditSAL, QStringLiteral("SelectedAudioPath"), o.SelectedAudioPath);
    f.WriteInteger(kEditSAL, QStringLiteral("MaxBmpFileSize"), o.MaxBmpFileSize);
    f.WriteInteger(kEditSAL, QStringLiteral("MaxOthersImgFileSize"), o.MaxOthersImgFileSize);
    f.WriteBool(kOptions, QStringLiteral("PresIndexAsGrid"), o.PresIndexAsGrid);
    f.WriteBool(kOptions, QStringLiteral("IndexSortByDir"), o.IndexSortByDir);
    f.WriteBool(kOptions, QStringLiteral("AsciiListWithTab"), o.AsciiListWithTab);
    writeBools(f, kFFilter, kFilters, o);
    return true;
}

void ReadProgramWideOptions(const TNewIniFile &f, ProgramWideOptions &w)
{
    w.InstalledSamples = f.ReadBool(kOptions, QStringLiteral("InstalledSamples"), false);
    w.SeveralUsers = f.ReadBool(kOptions, QStringLiteral("SeveralUsers"), false);
    w.UserConfiguration =
        w.SeveralUsers && f.ReadBool(kOptions, QStringLiteral("UserConfiguration"), false);
    w.UseAdminPassword = f.ReadBool(kOptions, QStringLiteral("UseAdminPassword"), false);
    w.AdminPassword =
        DecodeString(f.ReadString(kOptions, QStringLiteral("AdminPassword"), QString()));
    w.DBUsersDir = DecodeString(f.ReadString(kOptions, QStringLiteral("DBUsersDir"), QString()));
}

void WriteProgramWideOptions(TNewIniFile &f, const ProgramWideOptions &w)
{
    f.WriteBool(kOptions, QStringLiteral("InstalledSamples"), w.InstalledSamples);
    f.WriteBool(kOptions, QStringLiteral("SeveralUsers"), w.SeveralUsers);
    f.WriteBool(kOptions, QStringLiteral("UserConfiguration"), w.UserConfiguration);
    f.WriteBool(kOptions, QStringLiteral("UseAdminPassword"), w.UseAdminPassword);
    f.WriteString(kOptions, QStringLiteral("AdminPassword"), encodeForIni(w.AdminPassword));
    f.WriteString(kOptions, QStringLiteral("DBUsersDir"), encodeForIni(w.DBUsersDir));
}
