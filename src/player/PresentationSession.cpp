#include "player/PresentationSession.h"

#include "config/PresentationSettingsFile.h"
#include "config/TNewIniFile.h"
#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "player/ResultsWriter.h"

PresentationSession::PresentationSession(SessionView &view, Prompter &prompter)
    : m_view(view), m_prompter(prompter)
{}

// ---------------------------------------------------------------------------------------------
// Opening and loading

QString PresentationSession::presentationConfigPath() const
{
    return changeFileExt(SlideListPath, QStringLiteral(".ini"));
}

bool PresentationSession::OpenPresentation(const QString &path, CloseQuery query)
{
    if (query == CloseQuery::Ask && !QueryCloseList())
        return false;
    setListPath(path);
    LoadPresentation();
    return true;
}

void PresentationSession::setListPath(const QString &path)
{
    if (path != SlideListPath)
        PreviousListPath = SlideListPath;
    SlideListPath = path;
}

bool PresentationSession::hasSlideKind(TSlideKind kind) const
{
    for (const QString &line : SlideLines.lines)
        if (SlideKindForExtension(line.left(line.indexOf(QLatin1Char('\t')))) == kind)
            return true;
    return false;
}

void PresentationSession::readSettings(const TNewIniFile &ini)
{
    m_view.showBusy(true);
    ReadPresentationSettings(ini, Settings, ReadContext);
    m_view.showBusy(false);
    m_view.settingsChanged();
}

bool PresentationSession::LoadPresentationConfig()
{
    const QString iniPath = presentationConfigPath();
    const bool haveIni = Options.LoadIndividualConfig && fileExists(iniPath);
    if (!haveIni && SettingOverrides.empty())
        return false;
    TNewIniFile ini(iniPath);
    if (haveIni)
        ini.load();
    for (const auto &[sectionKey, value] : SettingOverrides) {
        const qsizetype dot = sectionKey.indexOf(QLatin1Char('.'));
        if (dot > 0)
            ini.WriteString(sectionKey.left(dot), sectionKey.mid(dot + 1), value);
    }
    readSettings(ini);
    if (!haveIni)
        return false;
    ConfigSource = iniPath;
    SettingsModified = false;
    ConfigNotDefault = true;
    return true;
}

bool PresentationSession::loadMeaningTable(MeaningTable &table, const QString &path)
{
    const Fallible<void> read = table.load(path);
    if (!read.ok())
        m_prompter.ShowError(read.error());
    return read.ok();
}

bool PresentationSession::LoadPresentation()
{
    const Fallible<void> loaded = SlideLines.load(SlideListPath);
    if (!loaded.ok()) {
        m_prompter.ShowError(loaded.error());
        PresentationReady = false;
        HasVisibleSlide = false;
        m_view.setActionEnabled(PlayerAction::A_V_InitNext, false);
        m_view.setActionEnabled(PlayerAction::A_V_Goto, false);
        return false;
    }

    // The meaning tables beside the list; their edit commands follow whether they belong to a
    // file. A table that exists and cannot be read (not opened, or a faulty line, whose records
    // before it stay) shows its message, and the loading counts as failed.
    bool tablesRead = true;
    for (MeaningTable *table : {&WordTable, &SoundTable}) {
        const bool words = table == &WordTable;
        const QString path =
            changeFileExt(SlideListPath, words ? QStringLiteral(".wml") : QStringLiteral(".sml"));
        if (fileExists(path))
            tablesRead = loadMeaningTable(*table, path) && tablesRead;
        else
            *table = MeaningTable(table->kind);
        m_view.setActionEnabled(words ? PlayerAction::A_F_EditWML : PlayerAction::A_F_EditSML,
                                table->hasFile());
    }

    LoadPresentationConfig();
    ValidateList();
    return tablesRead;
}

bool PresentationSession::LoadMeaningTableFile(const QString &path)
{
    const QString ext = fileExtension(path).toLower();
    const bool words = ext == QLatin1String("wml");
    if (!words && ext != QLatin1String("sml"))
        return false;
    if (!fileExists(path)) {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(path));
        return false;
    }
    MeaningTable &table = words ? WordTable : SoundTable;
    const bool read = loadMeaningTable(table, path);
    m_view.setActionEnabled(words ? PlayerAction::A_F_EditWML : PlayerAction::A_F_EditSML,
                            table.hasFile());
    return read;
}

void PresentationSession::TableSaved(MeaningKind kind)
{
    m_view.setActionEnabled(
        kind == MeaningKind::Words ? PlayerAction::A_F_EditWML : PlayerAction::A_F_EditSML, true);
}

void PresentationSession::TableForgotten(MeaningKind kind)
{
    m_view.setActionEnabled(
        kind == MeaningKind::Words ? PlayerAction::A_F_EditWML : PlayerAction::A_F_EditSML, false);
}

void PresentationSession::ValidateList()
{
    bool visible = false;
    bool malformed = false;
    for (qsizetype i = 0; i < SlideLines.lines.size(); ++i) {
        const SlideLineShape shape = InspectSlideLine(SlideLines.lines[i]);
        if (!shape.wellFormed) {
            m_prompter.ShowError(MalformedLineMessage(int(i + 1)));
            malformed = true;
            break;
        }
        if (!shape.hidden) {
            visible = true;
            break;
        }
    }
    if (!malformed && !visible)
        m_prompter.ShowWarning(QStringLiteral("No hi ha cap diapositiva a mostrar"));
    m_view.setActionEnabled(PlayerAction::A_F_Check, true);
    m_view.setActionEnabled(PlayerAction::A_F_EditSAL, true);
    m_view.setActionEnabled(PlayerAction::A_V_InitNext, visible);
    m_view.setActionEnabled(PlayerAction::A_V_Goto, visible);
    m_view.setCaption(SlideListPath);
    HasVisibleSlide = visible;
    PresentationReady = true;
}

// ---------------------------------------------------------------------------------------------
// Saving and closing

bool PresentationSession::SaveSlideList(const QString &path)
{
    if (!SlideLines.save(path, m_prompter).ok())
        return false;
    if (path != SlideListPath)
        PreviousListPath = SlideListPath;
    SlideListPath = path;
    return true;
}

bool PresentationSession::isUnnamed() const
{
    return extractFileName(SlideListPath) == SlideList::untitledName();
}

bool PresentationSession::SaveConfigTo(const QString &path)
{
    ConfigSource = path;
    if (!EnsureWritable(path, m_prompter))
        return false;
    TNewIniFile ini(path);
    ini.load();
    WritePresentationSettings(ini, Settings);
    // UpdateFile runs the writable check again; it passes now, so it does not ask twice.
    return ini.UpdateFile(m_prompter).ok();
}

bool PresentationSession::SavePresentationConfig()
{
    const bool saved = SaveConfigTo(presentationConfigPath());
    SettingsModified = !saved;
    return saved;
}

bool PresentationSession::SaveNow(const QString &chosenPath)
{
    switch (SaveDestination) {
    case SaveDestination::Presentation: return SavePresentationConfig();
    case SaveDestination::Default: {
        if (ProgramIniPath.isEmpty())
            return false;
        const bool saved = SaveConfigTo(ProgramIniPath);
        ConfigNotDefault = !saved;
        return saved;
    }
    case SaveDestination::Chosen: break;
    }
    return !chosenPath.isEmpty() && SaveConfigTo(chosenPath);
}

bool PresentationSession::OfferToSaveConfig() const
{
    if (Options.SaveIndividualConfigO == SaveConfigPolicy::Never)
        return false;
    if (SettingsModified)
        return true;
    if (!fileExists(presentationConfigPath()))
        return true;
    return pathWithoutExt(ConfigSource) != pathWithoutExt(SlideListPath);
}

void PresentationSession::OpenIni()
{
    if (!isUnnamed() && OfferToSaveConfig()) {
        const MsgButton b = m_prompter.AskYesNoCancel(
            QStringLiteral("Voleu desar la configuració (arxiu ini) de\r\n%1?").arg(SlideListPath));
        if (b == MsgButton::Cancel || b == MsgButton::None)
            return;
        if (b == MsgButton::Yes)
            SavePresentationConfig();
    }
    const QString path =
        m_view.askOpenConfigPath(ConfigSource.isEmpty() ? presentationConfigPath() : ConfigSource);
    if (path.isEmpty())
        return;
    TNewIniFile ini(path);
    ini.load();
    ConfigSource = path;
    SettingsModified = false;
    ConfigNotDefault = true;
    readSettings(ini);
}

bool PresentationSession::QueryCloseList()
{
    if (!PresentationReady)
        return true;
    m_view.addRecentFile(SlideListPath);
    const bool unnamed = isUnnamed();
    const bool offer = !unnamed && OfferToSaveConfig();
    if (SlideLines.modified) {
        const QString text =
            (offer && Options.SaveIndividualConfigO == SaveConfigPolicy::Ask)
                ? QStringLiteral(
                      "Voleu desar la llista\r\n%1\r\n(i el seu corresponent arxiu ini)?")
                      .arg(SlideListPath)
                : QStringLiteral("Voleu desar la llista\r\n%1?").arg(SlideListPath);
        MsgButton answer;
        if (unnamed)
            answer = m_prompter.AskYesNoCancel(text);
        else
            answer = m_prompter.messageBoxEx(
                text, MsgKind::Confirmation,
                {QStringLiteral("Yes &Desa"), QStringLiteral("All Desa &com..."),
                 QStringLiteral("No &No"), QStringLiteral("Cancel Cancel·la")},
                0, 70);
        QString target;
        switch (answer) {
        case MsgButton::No: return true;
        case MsgButton::Yes:
            if (!unnamed) {
                target = SlideListPath;
                break;
            }
            [[fallthrough]];
        case MsgButton::All:
            target = m_view.askSaveSlideListPath(SlideListPath);
            if (target.isEmpty())
                return false;
            break;
        default: return false; // Cancel, or the box closed
        }
        // A list that could not be saved is not given up: the close is refused.
        if (!SaveSlideList(target))
            return false;
        if (offer)
            SavePresentationConfig();
        return true;
    }
    if (offer) {
        switch (Options.SaveIndividualConfigO) {
        case SaveConfigPolicy::Always: SavePresentationConfig(); break;
        case SaveConfigPolicy::Ask: {
            const MsgButton b = m_prompter.AskYesNoCancel(
                QStringLiteral("Voleu desar la configuració (arxiu ini) de\r\n%1?")
                    .arg(SlideListPath));
            if (b == MsgButton::Cancel || b == MsgButton::None)
                return false;
            if (b == MsgButton::Yes)
                SavePresentationConfig();
            break;
        }
        case SaveConfigPolicy::Never: break;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Results

QString PresentationSession::adminResultsPath()
{
    if (!UserDomain.isEmpty()) {
        const QString dir = DomainResultsDir ? DomainResultsDir(UserDomain) : QString();
        if (!dir.isEmpty())
            return includeTrailingSeparator(dir) + UserName + QStringLiteral(".txt");
        m_prompter.ShowWarning(
            QStringLiteral("No s'ha trobat el directori corresponent al domini %1\r\n"
                           "Informeu l'administrador")
                .arg(UserDomain));
    }
    return ResultsFilePath(AdminResults, UserName);
}

void PresentationSession::WriteResult(const QString &text, const QDateTime &start,
                                      const QDateTime &end)
{
    ResultsEntry entry;
    entry.message = text;
    entry.listPath = SlideListPath;
    entry.durationSecs = start.isValid() ? start.secsTo(end) : 0;
    entry.now = end;
    // The program-level file first: a new list's heading goes into it only.
    if (Options.Results.inUse())
        AppendResult(ResultsFilePath(Options.Results, UserName), Options.Results, entry,
                     PreviousListPath, m_prompter);
    if (AdminResults.inUse())
        AppendResult(adminResultsPath(), AdminResults, entry, PreviousListPath, m_prompter);
}
