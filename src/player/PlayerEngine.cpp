#include "player/PlayerEngine.h"

#include "config/PresentationSettingsFile.h"
#include "config/TNewIniFile.h"
#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "slides/PlayerRandom.h"
#include "player/ResultsWriter.h"
#include "files/Scheduler.h"

#include <QFileInfo>

#include <cmath>

namespace {

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace

PlayerEngine::PlayerEngine(PlayerView &view, Prompter &prompter, Scheduler &scheduler)
    : m_view(view), m_prompter(prompter), m_scheduler(scheduler)
{
}

PlayerEngine::~PlayerEngine()
{
    if (m_timerActive)
        m_scheduler.cancel(m_timerId);
}

// ---------------------------------------------------------------------------------------------
// Opening and loading

QString PlayerEngine::presentationConfigPath() const
{
    return changeFileExt(SlideListPath, QStringLiteral(".ini"));
}

bool PlayerEngine::OpenPresentation(const QString &path, CloseQuery query)
{
    if (Presenting) {
        // A second run never starts inside a run: opening waits for the run to end.
        PendingCommand = PendingCommandCode::OpenSAL;
        return false;
    }
    if (query == CloseQuery::Ask && !QueryCloseList())
        return false;
    if (path != SlideListPath)
        PreviousListPath = SlideListPath;
    SlideListPath = path;
    LoadPresentation();
    const int option = AccessLevel == 0 ? 0 : Options.OpenSalOption;
    switch (option) {
    case 0:
        if (PresentationReady)
            RunPresentation(0);
        break;
    case 1:
        carryOut(PendingCommandCode::EditSAL);
        break;
    default:
        // 2 (the presentation check) comes with the check window; 3 does nothing more.
        break;
    }
    return true;
}

bool PlayerEngine::LoadPresentationConfig()
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
    ReadPresentationSettings(ini, Settings, ReadContext);
    if (!haveIni)
        return false;
    ConfigSource = iniPath;
    SettingsModified = false;
    ConfigNotDefault = true;
    return true;
}

bool PlayerEngine::loadMeaningTable(MeaningTable &table, const QString &path)
{
    const Fallible<void> read = table.load(path);
    if (!read.ok())
        m_prompter.ShowError(read.error());
    return table.hasFile();
}

bool PlayerEngine::LoadPresentation()
{
    const Fallible<void> loaded = SlideLines.load(SlideListPath);
    if (!loaded.ok()) {
        m_prompter.ShowError(loaded.error());
        PresentationReady = false;
        m_view.setActionEnabled(PlayerAction::A_V_InitNext, false);
        m_view.setActionEnabled(PlayerAction::A_V_Goto, false);
        return false;
    }

    // The meaning tables beside the list; their edit commands follow whether they were loaded.
    const QString wml = changeFileExt(SlideListPath, QStringLiteral(".wml"));
    const QString sml = changeFileExt(SlideListPath, QStringLiteral(".sml"));
    m_view.setActionEnabled(PlayerAction::A_F_EditWML,
                            fileExists(wml) && loadMeaningTable(WordTable, wml));
    if (!fileExists(wml))
        WordTable = MeaningTable(MeaningKind::Words);
    if (fileExists(sml)) {
        // A table that holds a faulty line shows its message; the records before it stay.
        m_view.setActionEnabled(PlayerAction::A_F_EditSML, loadMeaningTable(SoundTable, sml));
    } else {
        SoundTable = MeaningTable(MeaningKind::Sounds);
        m_view.setActionEnabled(PlayerAction::A_F_EditSML, false);
    }

    LoadPresentationConfig();
    ValidateList();
    return true;
}

void PlayerEngine::ValidateList()
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
    PresentationReady = true;
}

std::uint32_t PlayerEngine::orderSeed() const
{
    if (FixedSeed)
        return *FixedSeed;
    return PlayerRandom::seedFromTime(m_scheduler.currentDateTime().toUTC().time());
}

void PlayerEngine::BuildSlideOrder(bool rebuild)
{
    if (!rebuild)
        return;
    Order = ::BuildSlideOrder(int(SlideLines.lines.size()), Settings, orderSeed(), m_prompter);
    m_view.setActionEnabled(PlayerAction::A_V_RandomList, Settings.PresSort != 0);
}

int PlayerEngine::SlideAt(int position) const
{
    if (position < 0 || position >= int(Order.size()))
        return -1;
    return Settings.PresSort != 0 ? Order[std::size_t(position)].slide : position;
}

// ---------------------------------------------------------------------------------------------
// Saving and closing

bool PlayerEngine::SaveSlideList(const QString &path)
{
    if (!SlideLines.save(path, m_prompter).ok())
        return false;
    if (path != SlideListPath)
        PreviousListPath = SlideListPath;
    SlideListPath = path;
    return true;
}

bool PlayerEngine::isUnnamed() const
{
    return extractFileName(SlideListPath) == SlideList::untitledName();
}

bool PlayerEngine::SaveConfigTo(const QString &path)
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

bool PlayerEngine::SavePresentationConfig()
{
    const bool saved = SaveConfigTo(presentationConfigPath());
    SettingsModified = !saved;
    return saved;
}

bool PlayerEngine::SaveNow(const QString &chosenPath)
{
    switch (SaveDestination) {
    case 0:
        return SavePresentationConfig();
    case 1: {
        if (ProgramIniPath.isEmpty())
            return false;
        const bool saved = SaveConfigTo(ProgramIniPath);
        ConfigNotDefault = !saved;
        return saved;
    }
    default:
        return !chosenPath.isEmpty() && SaveConfigTo(chosenPath);
    }
}

bool PlayerEngine::OfferToSaveConfig() const
{
    if (Options.SaveIndividualConfigO == 2)
        return false;
    if (SettingsModified)
        return true;
    if (!fileExists(presentationConfigPath()))
        return true;
    return pathWithoutExt(ConfigSource) != pathWithoutExt(SlideListPath);
}

void PlayerEngine::OpenIni()
{
    if (!isUnnamed() && OfferToSaveConfig()) {
        const MsgButton b = m_prompter.AskYesNoCancel(
            QStringLiteral("Voleu desar la configuració (arxiu ini) de\r\n%1?").arg(SlideListPath));
        if (b == MsgButton::Cancel || b == MsgButton::None)
            return;
        if (b == MsgButton::Yes)
            SavePresentationConfig();
    }
    const QString path = m_view.askOpenConfigPath(ConfigSource.isEmpty() ? presentationConfigPath()
                                                                          : ConfigSource);
    if (path.isEmpty())
        return;
    TNewIniFile ini(path);
    ini.load();
    ConfigSource = path;
    SettingsModified = false;
    ConfigNotDefault = true;
    ReadPresentationSettings(ini, Settings, ReadContext);
    m_view.settingsChanged();
}

bool PlayerEngine::QueryCloseList()
{
    if (!PresentationReady)
        return true;
    m_view.addRecentFile(SlideListPath);
    const bool unnamed = isUnnamed();
    const bool offer = !unnamed && OfferToSaveConfig();
    if (SlideLines.modified) {
        const QString text =
            (offer && Options.SaveIndividualConfigO == 1)
                ? QStringLiteral("Voleu desar la llista\r\n%1\r\n(i el seu corresponent arxiu ini)?")
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
        case MsgButton::No:
            return true;
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
        default:
            return false; // Cancel, or the box closed
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
        case 0:
            SavePresentationConfig();
            break;
        case 1: {
            const MsgButton b = m_prompter.AskYesNoCancel(
                QStringLiteral("Voleu desar la configuració (arxiu ini) de\r\n%1?").arg(SlideListPath));
            if (b == MsgButton::Cancel || b == MsgButton::None)
                return false;
            if (b == MsgButton::Yes)
                SavePresentationConfig();
            break;
        }
        default:
            break;
        }
    }
    return true;
}

bool PlayerEngine::queryCloseWindow()
{
    if (m_wait == WaitState::Busy) {
        // Asked from inside a message box of a step: serve it when the step is done.
        m_queued.push_back([this] { queryCloseWindowDeferred(); });
        return false;
    }
    if (Presenting) {
        if (Settings.WithoutMenuOrButtons) {
            const MsgButton b = askOutsideStep([this] {
                return m_prompter.messageBoxEx(
                    QStringLiteral("Escolliu \"Tanca\" si voleu sortir del programa, \"Atura\" si "
                                   "voleu parar la reproducció (recordeu és millor prémer Esc per "
                                   "parar-la)"),
                    MsgKind::Confirmation,
                    {QStringLiteral("Yes &Tanca"), QStringLiteral("No &Atura"),
                     QStringLiteral("Cancel &Segueix")});
            });
            if (b == MsgButton::No) {
                if (!(Paused && !Settings.ManualViewing))
                    stop();
                return false;
            }
            if (b != MsgButton::Yes)
                return false;
        }
        // The run ends first; finishRun then closes the window if the list may be closed.
        command(PendingCommandCode::Close);
        return false;
    }
    return QueryCloseList();
}

void PlayerEngine::queryCloseWindowDeferred()
{
    if (queryCloseWindow())
        m_view.closeWindow();
}

// ---------------------------------------------------------------------------------------------
// Running

void PlayerEngine::prepareRun()
{
    m_view.setActionEnabled(PlayerAction::A_V_Manual, false);
    m_view.setRunDecoration(Settings.WithoutMenuOrButtons, Settings.WithoutCaption,
                            Options.HideMainMenu);
    StartTime = m_scheduler.currentDateTime();
    m_view.setActionEnabled(PlayerAction::A_V_CalcTime, false);
    m_view.setActionEnabled(PlayerAction::A_V_Stop, true);
    m_view.setActionEnabled(PlayerAction::A_V_ShowSlideName,
                            !Settings.PresWithITName || Settings.WithoutCaption);
    BuildSlideOrder(true);

    bool web = false, video = false;
    for (const QString &line : SlideLines.lines) {
        const QString file = line.left(line.indexOf(QLatin1Char('\t')));
        const auto kind = SlideKindForExtension(file);
        web = web || kind == skWeb;
        video = video || kind == skVideo;
    }
    m_view.setActionVisible(PlayerAction::WebCommands, web);
    m_view.setActionVisible(PlayerAction::A_V_Play, video);
}

void PlayerEngine::RunPresentation(int start)
{
    if (Presenting || m_wait != WaitState::Idle)
        return;
    Paused = false;
    StopRequested = false;
    m_stepsWithoutShow = 0;
    m_prevAudioContinue = false;
    m_runStart = start;
    prepareRun();
    m_view.setInitNextText(Settings.ManualViewing ? QStringLiteral("A la següent")
                                                  : QStringLiteral("Pausa la reproducció"),
                           Settings.ManualViewing ? QStringLiteral("Diapositiva següent")
                                                  : QStringLiteral("Pausa la reproducció automàtica"));
    startPass(start);
    advance();
}

void PlayerEngine::startPass(int start)
{
    Presenting = true;
    Position = start;
    MemorizedCount = Settings.InitialMemorizedCount;
    m_passCountsNormal = true;
    m_steppedBack = false;
    m_skippedSlide = false;
    m_phase = Phase::Top;
    resetQuizCounters();
}

void PlayerEngine::enableStepActions()
{
    m_view.setActionEnabled(PlayerAction::A_V_First, Position > 0);
    m_view.setActionEnabled(PlayerAction::A_V_Prior, Settings.LoopImages || Position > 0);
}

void PlayerEngine::advance()
{
    m_wait = WaitState::Busy;
    for (;;) {
        switch (m_phase) {
        case Phase::Top: {
            if (Position >= int(Order.size())) {
                memorisationEndCheck(true);
                m_view.stopMedia();
                if (endPass(PassEnd::Normal))
                    continue;
                return;
            }
            enableStepActions();
            if (Settings.PresSort == 2 && Position > MemorizedCount) {
                m_prompter.ShowInfo(QStringLiteral("Ja n'heu recordat %1, recomencem de nou")
                                        .arg(int(MemorizedCount) + 1));
                Position = 0;
                m_view.setActionEnabled(PlayerAction::A_V_First, false);
                m_view.setActionEnabled(PlayerAction::A_V_Prior, false);
                ++MemorizedCount;
            }
            const FindResult found = FindShowable();
            if (found == FindResult::Nothing || found == FindResult::EndRun) {
                m_view.stopMedia();
                endPass(PassEnd::Failed);
                return;
            }
            if (found == FindResult::ReachedEnd) {
                Position = int(Order.size());
                m_phase = Phase::CycleEnd;
                continue;
            }
            if (found == FindResult::CycleEnd) {
                m_phase = Phase::CycleEnd;
                continue;
            }
            if (found == FindResult::Skipped) {
                m_skippedSlide = true;
                m_phase = Phase::Advance;
                continue;
            }
            SlideRecord &slide = CurrentSlide;
            audioHandOver(slide);
            if (examMode()) {
                AccountQuestion();
                if (slide.PresTotalTest && MaxTotal > 0.0f) {
                    ShowTestResult();
                    Score = MaxTotal = 0.0f;
                }
            }
            freeQuestion();
            if (slide.Kind == skPresentation) {
                m_view.stopMedia();
                memorisationEndCheck();
                if (!switchToList(slide.FileName)) {
                    endPass(PassEnd::Failed);
                    return;
                }
                continue; // switchToList set Position and the phase
            }
            if (slide.Kind == skProgram || slide.Kind == skDocument) {
                m_view.stopMedia();
                memorisationEndCheck();
                m_view.launch(slide);
                m_passCountsNormal = false;
                if (slide.OpenExeEnd) {
                    PendingCommand = PendingCommandCode::Close;
                    endPass(PassEnd::Failed);
                    return;
                }
                if (++m_stepsWithoutShow > guardLimit()) {
                    endPass(PassEnd::Failed);
                    return;
                }
                m_phase = Phase::Advance;
                continue;
            }
            m_view.showSlide(slide, SlideAt(Position));
            buildQuestionFor(slide);
            CaptionInput in;
            in.listPath = SlideListPath;
            in.slideIndex = SlideAt(Position);
            in.position = Position;
            in.orderLength = int(Order.size());
            in.randomOrder = Settings.PresSort != 0;
            in.slide = &slide;
            m_captionParts = BuildCaptionParts(Settings, in);
            if (!NoAudioPlay && m_audioUsable && !slide.AudioFileName.isEmpty())
                m_view.playSlideAudio(slide.AudioFileName, slide.AudioRepeat);
            m_stepsWithoutShow = 0;
            enterWait();
            return;
        }
        case Phase::Advance: {
            if (Position == int(Order.size()) - 1 && Settings.PresWithKeyInfo && !m_skippedSlide)
                applyCaption(KeyHintState::Finished);
            if (Position < int(Order.size())) {
                const int next = CurrentSlide.NextSlide;
                // Jumps address positions of the order; a number below 1 names no slide.
                if (!m_steppedBack && !m_skippedSlide && next >= 1)
                    Position = next - 1;
                else
                    ++Position;
            }
            m_steppedBack = false;
            m_skippedSlide = false;
            m_phase = Phase::CycleEnd;
            continue;
        }
        case Phase::CycleEnd:
            // A jump past the end of the order ends the cycle as reaching it does.
            if (learningMode()
                && (Position == learningCycleEnd()
                    || ((RepresentMode || learningCycleEnd() == int(Order.size())) && Position >= int(Order.size()))))
                LearningCycleSummary();
            if (examMode() && Position >= int(Order.size())) {
                AccountQuestion();
                if (MaxTotal > 0.0f)
                    ShowTestResult();
            }
            if (++m_stepsWithoutShow > guardLimit()) {
                // Every position was tried without anything to show: end instead of spinning.
                m_view.stopMedia();
                endPass(PassEnd::Failed);
                return;
            }
            m_phase = Phase::Top;
            continue;
        }
    }
}

bool PlayerEngine::endPass(PassEnd how)
{
    const bool normal = how == PassEnd::Normal && m_passCountsNormal;
    if (normal && Settings.LoopImages && !StopRequested && !isSecondGroup(PendingCommand)
        && ++m_stepsWithoutShow <= guardLimit()) {
        if (Settings.PresSort == 1)
            BuildSlideOrder(true);
        startPass(m_runStart);
        return true;
    }
    finishRun();
    return false;
}

void PlayerEngine::finishRun()
{
    if (m_timerActive) {
        m_scheduler.cancel(m_timerId);
        m_timerActive = false;
    }
    m_view.setActionEnabled(PlayerAction::A_V_CalcTime, true);
    for (PlayerAction a : {PlayerAction::A_V_Edit, PlayerAction::A_V_First, PlayerAction::A_V_Stop,
                           PlayerAction::A_V_Prior, PlayerAction::A_V_ShowSlideName,
                           PlayerAction::A_I_ShowNameAndNote})
        m_view.setActionEnabled(a, false);
    EndTime = m_scheduler.currentDateTime();
    Presenting = false;
    freeQuestion();
    m_view.stopMedia();
    m_view.setActionVisible(PlayerAction::WebCommands, false);
    m_view.setActionVisible(PlayerAction::A_V_Play, false);
    m_view.hideSlidePanels();
    m_view.setActionEnabled(PlayerAction::A_V_InitNext, true);
    m_view.setInitNextText(QStringLiteral("Inicia la reproducció"),
                           QStringLiteral("Comença a mostrar la presentació"));
    Paused = true;
    StopRequested = false;
    m_view.setActionEnabled(PlayerAction::A_V_Manual, true);
    m_view.setCaption(SlideListPath);
    m_view.setRunDecoration(false, false, Options.HideMainMenu);
    m_wait = WaitState::Idle;

    const PendingCommandCode code = PendingCommand;
    PendingCommand = PendingCommandCode::None;
    if (isSecondGroup(code)) {
        ResumeAfterCommand = true;
        carryOut(code);
    }
    drainQueued();
}

int PlayerEngine::guardLimit() const
{
    return 2 * int(Order.size()) + 4;
}

MsgButton PlayerEngine::askOutsideStep(const std::function<MsgButton()> &ask)
{
    // A message box runs its own event loop: inputs that arrive meanwhile wait in the queue.
    const WaitState before = m_wait;
    m_wait = WaitState::Busy;
    const MsgButton answer = ask();
    m_wait = before;
    return answer;
}

void PlayerEngine::carryOut(PendingCommandCode code)
{
    switch (code) {
    case PendingCommandCode::Close:
        if (QueryCloseList())
            m_view.closeWindow();
        break;
    case PendingCommandCode::OpenIni:
        OpenIni();
        break;
    case PendingCommandCode::OpenSAL: {
        // The list in force is offered for saving once, before the open dialog.
        if (!QueryCloseList())
            break;
        const QString path = m_view.askOpenSlideListPath(SlideListPath);
        if (!path.isEmpty())
            OpenPresentation(path, CloseQuery::AlreadyAsked);
        break;
    }
    default:
        m_view.carryOutCommand(code);
        break;
    }
}

bool PlayerEngine::switchToList(const QString &path)
{
    if (!QueryCloseList())
        return false;
    PreviousListPath = SlideListPath;
    SlideListPath = path;
    if (!LoadPresentation() || !PresentationReady)
        return false;
    prepareRun();
    m_prevAudioContinue = false;
    m_runStart = 0;
    startPass(0);
    // Start at the new list's first position: the advance step after this adds one.
    Position = -1;
    m_steppedBack = true;
    m_phase = Phase::Advance;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Finding a slide to show

PlayerEngine::BadFileOutcome PlayerEngine::reportBadFile(const QString &prefix, TFileState state,
                                                       const QString &path, bool silent,
                                                       SlideList::RelocateField field,
                                                       QString *relocated)
{
    if (silent)
        return BadFileOutcome::Skipped;
    const QString message =
        prefix + QStringLiteral("a la diapositiva %1: ").arg(SlideAt(Position) + 1)
        + (state == fsNotFound ? QStringLiteral("no s'ha trobat\r\n(%1)")
                               : QStringLiteral("no es pot visualitzar/escoltar\r\n(%1)"))
              .arg(path);
    if (AccessLevel == 0) {
        m_prompter.ShowError(message);
        return BadFileOutcome::EndRun;
    }
    bool firstAttempt = true;
    for (;;) {
        QStringList specs = {QStringLiteral("Yes &Edita"), QStringLiteral("No &Atura"),
                             QStringLiteral("Cancel &Segueix")};
        QString text = message;
        const bool offerRedo = state == fsNotFound && firstAttempt;
        if (offerRedo) {
            specs.append(QStringLiteral("Retry &Refés"));
            text += QStringLiteral("\r\nSi sabeu que tots els arxius als quals fa referència la "
                                   "presentació estan continguts al mateix deirectori de la "
                                   "presentació, escolliu \"%1\"")
                        .arg(QStringLiteral("&Refés"));
        }
        switch (m_prompter.messageBoxEx(text, MsgKind::Confirmation, specs)) {
        case MsgButton::Yes:
            PendingCommand = PendingCommandCode::EditSAL;
            return BadFileOutcome::EndRun;
        case MsgButton::No:
            return BadFileOutcome::EndRun;
        case MsgButton::Retry: {
            const QString folder = extractFileDir(SlideListPath);
            const QString candidate = includeTrailingSeparator(folder) + extractFileName(path);
            if (fileExists(candidate)) {
                SlideLines.RelocateSlideFiles(folder, field, &m_prompter);
                *relocated = candidate;
                return BadFileOutcome::Relocated;
            }
            firstAttempt = false;
            continue;
        }
        default:
            return BadFileOutcome::Skipped; // "&Segueix", Esc
        }
    }
}

PlayerEngine::FindResult PlayerEngine::checkFiles(SlideRecord &slide)
{
    m_audioUsable = true;
    bool skipSlide = false;
    if (slide.FileState != fsOk) {
        QString moved;
        switch (reportBadFile(QStringLiteral("La imatge/text "), slide.FileState, slide.FileName,
                              Options.NoWarningWhenNoSlideExist, SlideList::RelocateField::File,
                              &moved)) {
        case BadFileOutcome::EndRun:
            return FindResult::EndRun;
        case BadFileOutcome::Relocated: {
            slide.FileName = moved;
            const SlideFileClass c = ClassifySlideFile(moved);
            slide.Kind = c.kind;
            slide.FileState = c.state;
            ApplyOpenStep(slide);
            break;
        }
        case BadFileOutcome::Skipped:
            skipSlide = true;
            break;
        case BadFileOutcome::Ok:
            break;
        }
    }
    if (slide.AudioState != fsOk) {
        QString moved;
        switch (reportBadFile(QStringLiteral("La pista d'audio "), slide.AudioState,
                              slide.AudioFileName, Options.NoWarningWhenNoAudioFNExist,
                              SlideList::RelocateField::Audio, &moved)) {
        case BadFileOutcome::EndRun:
            return FindResult::EndRun;
        case BadFileOutcome::Relocated:
            slide.AudioFileName = moved;
            slide.AudioState = ClassifyAudioFile(moved);
            break;
        default:
            // A track that stays missing is not started; the slide is still shown.
            m_audioUsable = false;
            break;
        }
    }
    if (!slide.OpenFileExists) {
        QString moved;
        switch (reportBadFile(QStringLiteral("L'arxiu a obrir "), fsNotFound, slide.PromptOr1stLine,
                              Options.NoWarningWhenNoOpenFNExist, SlideList::RelocateField::Document,
                              &moved)) {
        case BadFileOutcome::EndRun:
            return FindResult::EndRun;
        case BadFileOutcome::Relocated:
            slide.PromptOr1stLine = moved;
            slide.OpenFileExists = true;
            break;
        default:
            // Nothing to open: the slide is passed over like a slide whose own file is missing.
            skipSlide = true;
            break;
        }
    }
    if (skipSlide || slide.FileState != fsOk) {
        if (Position == int(Order.size()) - 1 && Settings.LoopImages) {
            Position = -1;
            if (Settings.PresSort == 1)
                BuildSlideOrder(true);
        }
        return FindResult::Skipped;
    }
    return FindResult::Found;
}

PlayerEngine::FindResult PlayerEngine::FindShowable()
{
    const int limit = 2 * int(Order.size()) + 4;
    for (int tries = 0; tries < limit; ++tries) {
        if (Position < 0)
            Position = 0;
        if (Position >= int(Order.size()))
            return FindResult::ReachedEnd;
        const int index = SlideAt(Position);
        auto decoded = DecodeSlide(SlideLines.lines[index]);
        if (!decoded) {
            m_prompter.ShowError(MalformedLineMessage(index + 1));
            return FindResult::Nothing;
        }
        if (decoded->Hidden) {
            if (Position < int(Order.size()) - 1) {
                ++Position;
            } else if (Settings.LoopImages) {
                Position = 0;
                if (Settings.PresSort == 1)
                    BuildSlideOrder(true);
            } else {
                // A hidden last slide: the pass has reached the end of the order.
                return FindResult::ReachedEnd;
            }
            continue;
        }
        if (RepresentMode && !Order[std::size_t(Position)].info.NotRemembered) {
            const int next = decoded->NextSlide;
            Position = next >= 1 ? next - 1 : Position + 1;
            // The end of the cycle sums it up, and may start the re-presentation again.
            if (Position >= int(Order.size()) || Position == learningCycleEnd())
                return FindResult::CycleEnd;
            continue;
        }
        CurrentSlide = *decoded;
        return checkFiles(CurrentSlide);
    }
    return FindResult::Nothing;
}

// Whether the slide at `position` can be landed on by previous or first: visible, its own file
// fine (a bad file is reported when the stepping reaches it going forwards).
bool PlayerEngine::slideUsable(int position, bool *decodeFailed)
{
    *decodeFailed = false;
    const int index = SlideAt(position);
    if (index < 0)
        return false;
    const auto decoded = DecodeSlide(SlideLines.lines[index]);
    if (!decoded) {
        m_prompter.ShowError(MalformedLineMessage(index + 1));
        *decodeFailed = true;
        return false;
    }
    return !decoded->Hidden && decoded->FileState == fsOk;
}

int PlayerEngine::firstUsablePosition()
{
    for (int p = 0; p < int(Order.size()); ++p) {
        bool failed = false;
        if (slideUsable(p, &failed))
            return p;
        if (failed)
            return -2;
    }
    return -1;
}

// Previous and first: moves Position to one before the slide to land on, so the advance step
// lands there. Returns whether there was a movement.
bool PlayerEngine::HandleStep(PendingCommandCode code)
{
    PendingCommand = PendingCommandCode::None;
    const int start = Position;
    const int n = int(Order.size());
    if (n == 0)
        return false;
    int target = -1;
    if (code == PendingCommandCode::First) {
        target = firstUsablePosition();
    } else {
        int cand = start;
        for (int tries = 0; tries <= n; ++tries) {
            --cand;
            if (cand < 0) {
                if (!Settings.LoopImages) {
                    // Nothing usable before: land on the first visible slide of the order.
                    cand = firstUsablePosition();
                    break;
                }
                cand = n - 1;
                if (Settings.PresSort == 1)
                    BuildSlideOrder(true);
            }
            if (cand == start)
                break; // round the whole order: stay on the current slide
            bool failed = false;
            if (slideUsable(cand, &failed))
                break;
            if (failed) {
                cand = -2;
                break;
            }
        }
        target = cand;
    }
    if (target < 0)
        return false; // a malformed line, or nothing usable at all
    Position = target - 1;
    m_steppedBack = true;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Waits and inputs

void PlayerEngine::applyCaption(KeyHintState state)
{
    m_hintState = state;
    m_view.setCaption(ApplyCaption(Settings, m_captionParts, state, bool(Question.box), m_view.drawSizePercent()));
}

void PlayerEngine::refreshCaption()
{
    if (!Presenting)
        return;
    if (m_wait == WaitState::PausedWait)
        m_view.setCaption(PausedCaption(m_captionParts, m_view.drawSizePercent()));
    else
        applyCaption(m_hintState);
}

void PlayerEngine::enterWait()
{
    if (Settings.ManualViewing) {
        applyCaption(KeyHintState::Next);
        m_waitStartTick = RecordTime ? m_scheduler.tickMs() : -1;
        m_wait = WaitState::WaitingManual;
    } else {
        applyCaption(KeyHintState::Pause);
        const int seconds = CurrentSlide.TimeSet ? CurrentSlide.Time : Settings.ImageDelay;
        const qint64 ms = seconds == 0 ? 500 : qint64(seconds) * 1000;
        m_wait = WaitState::WaitingAuto;
        m_timerActive = true;
        m_timerId = m_scheduler.singleShot(ms, [this] { onTimer(); });
    }
    drainQueued();
}

void PlayerEngine::drainQueued()
{
    while (!m_queued.empty() && m_wait != WaitState::Busy) {
        auto input = std::move(m_queued.front());
        m_queued.pop_front();
        input();
    }
}

void PlayerEngine::handleInput(std::function<void()> input)
{
    if (m_wait == WaitState::Busy) {
        m_queued.push_back(std::move(input));
        return;
    }
    input();
}

void PlayerEngine::recordShownTime()
{
    if (!RecordTime || m_waitStartTick < 0)
        return;
    const qint64 elapsed = m_scheduler.tickMs() - m_waitStartTick;
    SlideLines.recordTime(SlideAt(Position), int(std::llround(double(elapsed) / 1000.0)));
    m_waitStartTick = -1;
}

void PlayerEngine::resumeAfterManual(PendingCommandCode code)
{
    m_wait = WaitState::Busy;
    if (isSecondGroup(code)) {
        PendingCommand = code;
        m_view.stopMedia();
        endPass(PassEnd::Failed);
        return;
    }
    recordShownTime();
    PendingCommand = PendingCommandCode::None;
    if (code != PendingCommandCode::Next && !HandleStep(code)) {
        m_view.stopMedia();
        endPass(PassEnd::Failed);
        return;
    }
    m_phase = Phase::Advance;
    advance();
}

void PlayerEngine::onTimer()
{
    m_timerActive = false;
    handleInput([this] { resumeAfterAuto(); });
}

void PlayerEngine::resumeAfterAuto()
{
    if (m_wait != WaitState::WaitingAuto)
        return;
    m_wait = WaitState::Busy;
    if (isSecondGroup(PendingCommand)) {
        m_view.stopMedia();
        endPass(PassEnd::Failed);
        return;
    }
    if (StopRequested) {
        if (Settings.PresWithKeyInfo)
            applyCaption(KeyHintState::Finished);
        StopRequested = false;
        m_view.stopMedia();
        memorisationEndCheck();
        endPass(PassEnd::Failed);
        return;
    }
    const PendingCommandCode code = PendingCommand;
    PendingCommand = PendingCommandCode::None;
    if ((code == PendingCommandCode::Prior || code == PendingCommandCode::First)
        && !HandleStep(code)) {
        m_view.stopMedia();
        endPass(PassEnd::Failed);
        return;
    }
    if (Paused) {
        m_view.setCaption(PausedCaption(m_captionParts, m_view.drawSizePercent()));
        m_wait = WaitState::PausedWait;
        drainQueued();
        return;
    }
    m_phase = Phase::Advance;
    advance();
}

void PlayerEngine::initNext()
{
    handleInput([this] {
        if (!Presenting) {
            if (PresentationReady)
                RunPresentation(0);
            return;
        }
        if (Settings.ManualViewing) {
            command(PendingCommandCode::Next);
        } else {
            BuildSlideOrder(false);
            togglePause();
        }
    });
}

void PlayerEngine::command(PendingCommandCode code)
{
    handleInput([this, code] {
        if (!Presenting) {
            if (isSecondGroup(code))
                carryOut(code);
            return;
        }
        switch (m_wait) {
        case WaitState::WaitingManual:
            resumeAfterManual(code);
            break;
        case WaitState::WaitingAuto:
            PendingCommand = code;
            if (isSecondGroup(code)) {
                // A command that ends the run does not wait out the slide's time.
                m_scheduler.cancel(m_timerId);
                m_timerActive = false;
                m_wait = WaitState::Busy;
                m_view.stopMedia();
                endPass(PassEnd::Failed);
            }
            break;
        case WaitState::PausedWait:
            if (isSecondGroup(code)) {
                PendingCommand = code;
                m_wait = WaitState::Busy;
                m_view.stopMedia();
                endPass(PassEnd::Failed);
            }
            // Stepping waits for the pause to end.
            break;
        default:
            break;
        }
    });
}

void PlayerEngine::stop()
{
    handleInput([this] {
        if (!Presenting)
            return;
        StopRequested = true;
        if (m_wait == WaitState::WaitingManual) {
            m_wait = WaitState::Busy;
            if (Settings.PresWithKeyInfo)
                applyCaption(KeyHintState::Finished);
            StopRequested = false;
            m_view.stopMedia();
            memorisationEndCheck();
            endPass(PassEnd::Failed);
        } else if (m_wait == WaitState::WaitingAuto) {
            // Stopping does not wait out a long slide time: the wait ends now.
            m_scheduler.cancel(m_timerId);
            m_timerActive = false;
            resumeAfterAuto();
        } else if (m_wait == WaitState::PausedWait) {
            m_wait = WaitState::WaitingAuto;
            resumeAfterAuto();
        }
    });
}

void PlayerEngine::togglePause()
{
    handleInput([this] {
        if (!Presenting || Settings.ManualViewing)
            return;
        Paused = !Paused;
        if (Paused) {
            m_view.setActionEnabled(PlayerAction::A_V_Stop, false);
            m_view.setActionEnabled(PlayerAction::A_V_First, false);
            m_view.setActionEnabled(PlayerAction::A_V_Prior, false);
            m_view.setInitNextText(QStringLiteral("A la següent"), QStringLiteral("Diapositiva següent"));
            return;
        }
        m_view.setActionEnabled(PlayerAction::A_V_Stop, true);
        enableStepActions();
        m_view.setInitNextText(QStringLiteral("Pausa la reproducció"),
                               QStringLiteral("Pausa la reproducció automàtica"));
        if (m_wait == WaitState::PausedWait) {
            m_wait = WaitState::Busy;
            m_phase = Phase::Advance;
            advance();
        }
    });
}

void PlayerEngine::escapeKey()
{
    handleInput([this] {
        if (!Presenting)
            return;
        if (Paused && !Settings.ManualViewing)
            return;
        const MsgButton b = askOutsideStep([this] {
            return m_prompter.messageBoxEx(QStringLiteral("Voleu interrompre la seqüència?"),
                                           MsgKind::Confirmation, {QStringLiteral("Yes"), QStringLiteral("No")});
        });
        if (b == MsgButton::Yes)
            stop();
        drainQueued();
    });
}

void PlayerEngine::audioHandOver(SlideRecord &slide)
{
    if (slide.AudioStop)
        m_view.stopSlideAudio();
    else if (!m_prevAudioContinue)
        m_view.stopSlideAudio();
    else if (slide.AudioFileName.isEmpty())
        slide.AudioContinue = true; // the track of the slides before goes on
    m_prevAudioContinue = slide.AudioContinue;
}

// ---------------------------------------------------------------------------------------------
// Results

QString PlayerEngine::adminResultsPath()
{
    if (!UserDomain.isEmpty()) {
        const QString dir = DomainResultsDir ? DomainResultsDir(UserDomain) : QString();
        if (!dir.isEmpty())
            return includeTrailingSeparator(dir) + UserName + QStringLiteral(".txt");
        m_prompter.ShowWarning(QStringLiteral("No s'ha trobat el directori corresponent al domini %1\r\n"
                                              "Informeu l'administrador")
                                   .arg(UserDomain));
    }
    return ResultsFilePath(AdminResults, UserName);
}

void PlayerEngine::ReportResult(const QString &shown, const QString &written)
{
    EndTime = m_scheduler.currentDateTime();
    m_prompter.ShowInfo(shown);
    ResultsEntry entry;
    entry.message = written.isEmpty() ? shown : written;
    entry.listPath = SlideListPath;
    entry.durationSecs = StartTime.isValid() ? StartTime.secsTo(EndTime) : 0;
    entry.now = EndTime;
    // The program-level file first: a new list's heading goes into it only.
    if (Options.Results.inUse())
        AppendResult(ResultsFilePath(Options.Results, UserName), Options.Results, entry,
                     PreviousListPath, m_prompter);
    if (AdminResults.inUse())
        AppendResult(adminResultsPath(), AdminResults, entry, PreviousListPath, m_prompter);
}

void PlayerEngine::CalcTime()
{
    const qint64 secs = (StartTime.isValid() && EndTime.isValid()) ? StartTime.secsTo(EndTime) : 0;
    m_prompter.ShowInfo(QStringLiteral("La presentació ha durat %1").arg(formatDuration(secs)));
}
