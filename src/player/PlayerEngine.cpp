#include "player/PlayerEngine.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/Scheduler.h"
#include "player/ResultsWriter.h"
#include "slides/PlayerRandom.h"

#include <algorithm>
#include <cmath>

PlayerEngine::PlayerEngine(PresentationSession &session, PlayerView &view, Prompter &prompter,
                           Scheduler &scheduler)
    : m_session(session), m_view(view), m_prompter(prompter), m_scheduler(scheduler),
      m_quiz(session, view, prompter, scheduler, m_times), m_fileCheck(session, prompter)
{}

PlayerEngine::~PlayerEngine()
{
    if (m_timerActive)
        m_scheduler.cancel(m_timerId);
}

template <typename Ask> auto PlayerEngine::outsideStep(Ask &&ask)
{
    // A message box runs its own event loop: inputs that arrive meanwhile wait in the queue.
    const WaitState before = m_wait;
    m_wait = WaitState::Busy;
    auto answer = ask();
    m_wait = before;
    return answer;
}

// ---------------------------------------------------------------------------------------------
// Opening

bool PlayerEngine::OpenPresentation(const QString &path, CloseQuery query)
{
    if (m_run.Presenting) {
        // A second run never starts inside a run: opening waits for the run to end.
        m_run.PendingCommand = PendingCommandCode::OpenSAL;
        return false;
    }
    if (!m_session.OpenPresentation(path, query))
        return false;
    // A view-only user's lists always run.
    switch (m_session.AccessLevel == AccessLevel::ViewOnly ? OpenSalAction::Run
                                                           : m_session.Options.OpenSalOption) {
    case OpenSalAction::Run:
        if (m_session.PresentationReady)
            RunPresentation(0);
        break;
    case OpenSalAction::Edit: carryOut(PendingCommandCode::EditSAL); break;
    case OpenSalAction::Check:
        if (m_session.PresentationReady)
            m_view.checkPresentation();
        break;
    case OpenSalAction::Nothing: break;
    }
    return true;
}

std::uint32_t PlayerEngine::orderSeed() const
{
    if (m_fixedSeed)
        return *m_fixedSeed;
    return PlayerRandom::seedFromTime(m_scheduler.currentDateTime().toUTC().time());
}

void PlayerEngine::BuildSlideOrder(bool rebuild)
{
    if (!rebuild)
        return;
    const PresSortMode sort = m_session.Settings.PresSort;
    m_run.Order = ::BuildSlideOrder(int(m_session.SlideLines.lines.size()), m_session.Settings,
                                    orderSeed(), m_prompter);
    // Too short a list for a random order falls back to sequential: the commands that follow
    // the order show it.
    if (m_session.Settings.PresSort != sort)
        m_view.settingsChanged();
    m_view.setActionEnabled(PlayerAction::A_V_RandomList,
                            m_session.Settings.PresSort != PresSortMode::Sequential);
}

bool PlayerEngine::orderFitsList() const
{
    const int lines = int(m_session.SlideLines.lines.size());
    if (m_session.Settings.PresSort == PresSortMode::Sequential || m_run.Order.empty())
        return false;
    return std::all_of(m_run.Order.begin(), m_run.Order.end(), [lines](const SlideOrderEntry &e) {
        return e.slide >= 0 && e.slide < lines;
    });
}

int PlayerEngine::PositionOfSlide(int slideIndex, int current)
{
    if (m_session.Settings.PresSort == PresSortMode::Sequential)
        return slideIndex;
    if (!orderFitsList())
        BuildSlideOrder(true);
    const auto it =
        std::find_if(m_run.Order.begin(), m_run.Order.end(),
                     [slideIndex](const SlideOrderEntry &e) { return e.slide == slideIndex; });
    return it == m_run.Order.end() ? current : int(it - m_run.Order.begin());
}

void PlayerEngine::ResumeAt(int position)
{
    m_run.ResumeAfterCommand = false;
    RunPresentation(std::max(position, 0), RunOrigin::Resume);
}

int PlayerEngine::SlideAt(int position) const
{
    if (position < 0 || position >= int(m_run.Order.size()))
        return -1;
    return m_session.Settings.PresSort != PresSortMode::Sequential
               ? m_run.Order[std::size_t(position)].slide
               : position;
}

// ---------------------------------------------------------------------------------------------
// Closing

bool PlayerEngine::queryCloseWindow()
{
    if (m_wait == WaitState::Busy) {
        // Asked from inside a message box of a step: serve it when the step is done.
        m_queued.push_back([this] { queryCloseWindowDeferred(); });
        return false;
    }
    if (m_run.Presenting) {
        if (m_session.Settings.WithoutMenuOrButtons) {
            const MsgButton b = outsideStep([this] {
                return m_prompter.messageBoxEx(
                    QStringLiteral("Escolliu \"Tanca\" si voleu sortir del programa, \"Atura\" si "
                                   "voleu parar la reproducció (recordeu és millor prémer Esc per "
                                   "parar-la)"),
                    MsgKind::Confirmation,
                    {QStringLiteral("Yes &Tanca"), QStringLiteral("No &Atura"),
                     QStringLiteral("Cancel &Segueix")});
            });
            if (b == MsgButton::No) {
                if (!(m_run.Paused && !m_session.Settings.ManualViewing))
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
    return m_session.QueryCloseList();
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
    m_view.setRunDecoration(m_session.Settings.WithoutMenuOrButtons,
                            m_session.Settings.WithoutCaption && m_runOrigin != RunOrigin::StartUp,
                            m_session.Options.HideMainMenu);
    m_times.StartTime = m_scheduler.currentDateTime();
    m_view.setActionEnabled(PlayerAction::A_V_CalcTime, false);
    m_view.setActionEnabled(PlayerAction::A_V_Stop, true);
    m_view.setActionEnabled(PlayerAction::A_V_ShowSlideName, !m_session.Settings.PresWithITName ||
                                                                 m_session.Settings.WithoutCaption);
    // A resumed run goes on in the order it was interrupted in; a sequential order is always
    // rebuilt, as it follows the list's length.
    if (m_runOrigin != RunOrigin::Resume || !orderFitsList())
        BuildSlideOrder(true);

    m_view.setActionVisible(PlayerAction::WebCommands, m_session.hasSlideKind(skWeb));
    // Both kinds of video are replayed by A_V_Play: AVI videos and movies.
    m_view.setActionVisible(PlayerAction::A_V_Play,
                            m_session.hasSlideKind(skVideo) || m_session.hasSlideKind(skMovie));
}

void PlayerEngine::RunPresentation(int start, RunOrigin origin)
{
    if (m_run.Presenting || m_wait != WaitState::Idle)
        return;
    m_runOrigin = origin;
    m_run.Paused = false;
    m_run.StopRequested = false;
    m_stepsWithoutShow = 0;
    m_prevAudioContinue = false;
    m_runStart = start;
    prepareRun();
    m_view.setInitNextText(
        m_session.Settings.ManualViewing ? QStringLiteral("A la següent")
                                         : QStringLiteral("Pausa la reproducció"),
        m_session.Settings.ManualViewing ? QStringLiteral("Diapositiva següent")
                                         : QStringLiteral("Pausa la reproducció automàtica"));
    startPass(start);
    m_view.runStateChanged(true);
    advance();
}

void PlayerEngine::startPass(int start)
{
    m_run.Presenting = true;
    m_run.Position = start;
    m_run.MemorizedCount = m_session.Settings.InitialMemorizedCount;
    m_passCountsNormal = true;
    m_steppedBack = false;
    m_skippedSlide = false;
    m_phase = Phase::Top;
    m_quiz.resetQuizCounters();
}

void PlayerEngine::enableStepActions()
{
    m_view.setActionEnabled(PlayerAction::A_V_First, m_run.Position > 0);
    m_view.setActionEnabled(PlayerAction::A_V_Prior,
                            m_session.Settings.LoopImages || m_run.Position > 0);
}

void PlayerEngine::advance()
{
    m_wait = WaitState::Busy;
    for (;;) {
        switch (m_phase) {
        case Phase::Top: {
            if (m_run.Position >= int(m_run.Order.size())) {
                memorisationEndCheck(true);
                m_view.stopMedia();
                if (endPass(PassEnd::Normal))
                    continue;
                return;
            }
            enableStepActions();
            if (m_session.Settings.PresSort == PresSortMode::Memorisation &&
                m_run.Position > m_run.MemorizedCount) {
                m_prompter.ShowInfo(QStringLiteral("Ja n'heu recordat %1, recomencem de nou")
                                        .arg(int(m_run.MemorizedCount) + 1));
                m_run.Position = 0;
                m_view.setActionEnabled(PlayerAction::A_V_First, false);
                m_view.setActionEnabled(PlayerAction::A_V_Prior, false);
                ++m_run.MemorizedCount;
            }
            const FindResult found = FindShowable();
            if (found == FindResult::Nothing || found == FindResult::EndRun) {
                stopAndEndPass();
                return;
            }
            if (found == FindResult::ReachedEnd) {
                m_run.Position = int(m_run.Order.size());
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
            SlideRecord &slide = m_run.CurrentSlide;
            audioHandOver(slide);
            if (m_quiz.examMode()) {
                m_quiz.AccountQuestion();
                if (slide.PresTotalTest && m_quiz.MaxTotal > 0.0f) {
                    m_quiz.ShowTestResult();
                    m_quiz.Score = m_quiz.MaxTotal = 0.0f;
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
                continue; // switchToList set m_run.Position and the phase
            }
            if (slide.Kind == skProgram || slide.Kind == skDocument) {
                m_view.stopMedia();
                memorisationEndCheck();
                m_view.launch(slide);
                m_passCountsNormal = false;
                if (slide.OpenExeEnd) {
                    m_run.PendingCommand = PendingCommandCode::Close;
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
            if (!m_view.showSlide(slide, SlideAt(m_run.Position))) {
                // The view said why (an unreadable text file): the run ends here.
                stopAndEndPass();
                return;
            }
            buildQuestionFor(slide);
            m_captionParts =
                BuildCaptionParts(m_session.Settings,
                                  {m_session.SlideListPath, SlideAt(m_run.Position), m_run.Position,
                                   int(m_run.Order.size()), isRandomOrder(), &slide});
            if (!m_run.NoAudioPlay && m_audioUsable && !slide.AudioFileName.isEmpty())
                m_view.playSlideAudio(slide.AudioFileName, slide.AudioRepeat);
            m_stepsWithoutShow = 0;
            enterWait();
            return;
        }
        case Phase::Advance: {
            if (m_run.Position == int(m_run.Order.size()) - 1 &&
                m_session.Settings.PresWithKeyInfo && !m_skippedSlide)
                applyCaption(KeyHintState::Finished);
            if (m_run.Position < int(m_run.Order.size())) {
                const int next = m_run.CurrentSlide.NextSlide;
                // Jumps address positions of the order; a number below 1 names no slide.
                if (!m_steppedBack && !m_skippedSlide && next >= 1)
                    m_run.Position = next - 1;
                else
                    ++m_run.Position;
            }
            m_steppedBack = false;
            m_skippedSlide = false;
            m_phase = Phase::CycleEnd;
            continue;
        }
        case Phase::CycleEnd:
            // A jump past the end of the order ends the cycle as reaching it does.
            if (m_quiz.learningMode() &&
                (m_run.Position == m_quiz.learningCycleEnd(int(m_run.Order.size())) ||
                 ((m_quiz.RepresentMode ||
                   m_quiz.learningCycleEnd(int(m_run.Order.size())) == int(m_run.Order.size())) &&
                  m_run.Position >= int(m_run.Order.size()))))
                if (m_quiz.LearningCycleSummary())
                    m_run.Position = 0;
            if (m_quiz.examMode() && m_run.Position >= int(m_run.Order.size())) {
                m_quiz.AccountQuestion();
                if (m_quiz.MaxTotal > 0.0f)
                    m_quiz.ShowTestResult();
            }
            if (++m_stepsWithoutShow > guardLimit()) {
                // Every position was tried without anything to show: end instead of spinning.
                stopAndEndPass();
                return;
            }
            m_phase = Phase::Top;
            continue;
        }
    }
}

void PlayerEngine::stopAndEndPass()
{
    m_view.stopMedia();
    endPass(PassEnd::Failed);
}

bool PlayerEngine::endPass(PassEnd how)
{
    const bool normal = how == PassEnd::Normal && m_passCountsNormal;
    if (normal && m_session.Settings.LoopImages && !m_run.StopRequested &&
        !isSecondGroup(m_run.PendingCommand) && ++m_stepsWithoutShow <= guardLimit()) {
        if (m_session.Settings.PresSort == PresSortMode::Random)
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
    m_times.EndTime = m_scheduler.currentDateTime();
    m_run.Presenting = false;
    freeQuestion();
    m_view.stopMedia();
    m_view.setActionVisible(PlayerAction::WebCommands, false);
    m_view.setActionVisible(PlayerAction::A_V_Play, false);
    m_view.hideSlidePanels();
    // A list with nothing to show (all hidden, or one that failed to load on a switch) is not
    // offered for starting again.
    m_view.setActionEnabled(PlayerAction::A_V_InitNext,
                            m_session.PresentationReady && m_session.HasVisibleSlide);
    m_view.setInitNextText(QStringLiteral("Inicia la reproducció"),
                           QStringLiteral("Comença a mostrar la presentació"));
    m_run.Paused = true;
    m_run.StopRequested = false;
    m_view.setActionEnabled(PlayerAction::A_V_Manual, true);
    m_view.setCaption(m_session.SlideListPath);
    m_view.setRunDecoration(false, false, m_session.Options.HideMainMenu);
    m_wait = WaitState::Idle;
    m_view.runStateChanged(false);

    const PendingCommandCode code = m_run.PendingCommand;
    m_run.PendingCommand = PendingCommandCode::None;
    if (isSecondGroup(code)) {
        m_run.ResumeAfterCommand = true;
        carryOut(code);
        // The command is done, whether or not it resumed the run.
        m_run.ResumeAfterCommand = false;
    }
    drainQueued();
}

int PlayerEngine::guardLimit() const
{
    return 2 * int(m_run.Order.size()) + 4;
}

void PlayerEngine::carryOut(PendingCommandCode code)
{
    switch (code) {
    case PendingCommandCode::Close:
        if (m_session.QueryCloseList())
            m_view.closeWindow();
        break;
    case PendingCommandCode::OpenIni: m_session.OpenIni(); break;
    case PendingCommandCode::OpenSAL: {
        // The list in force is offered for saving once, before the open dialog.
        if (!m_session.QueryCloseList())
            break;
        const QString path = m_view.askOpenSlideListPath(m_session.SlideListPath);
        if (!path.isEmpty())
            OpenPresentation(path, CloseQuery::AlreadyAsked);
        break;
    }
    default: m_view.carryOutCommand(code); break;
    }
}

bool PlayerEngine::switchToList(const QString &path)
{
    if (!m_session.QueryCloseList())
        return false;
    m_session.PreviousListPath = m_session.SlideListPath;
    m_session.SlideListPath = path;
    if (!m_session.LoadPresentation() || !m_session.PresentationReady)
        return false;
    prepareRun();
    m_prevAudioContinue = false;
    m_runStart = 0;
    startPass(0);
    // Start at the new list's first position: the advance step after this adds one.
    m_run.Position = -1;
    m_steppedBack = true;
    m_phase = Phase::Advance;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Finding a slide to show

PlayerEngine::FindResult PlayerEngine::checkFiles(SlideRecord &slide)
{
    const SlideFileCheck::Outcome checked = m_fileCheck.check(slide, SlideAt(m_run.Position) + 1);
    m_audioUsable = checked.audioUsable;
    switch (checked.result) {
    case SlideFileCheck::Result::Show: return FindResult::Found;
    case SlideFileCheck::Result::EndRunAndEdit:
        m_run.PendingCommand = PendingCommandCode::EditSAL;
        return FindResult::EndRun;
    case SlideFileCheck::Result::EndRun: return FindResult::EndRun;
    case SlideFileCheck::Result::Skip: break;
    }
    if (m_run.Position == int(m_run.Order.size()) - 1 && m_session.Settings.LoopImages) {
        m_run.Position = -1;
        if (m_session.Settings.PresSort == PresSortMode::Random)
            BuildSlideOrder(true);
    }
    return FindResult::Skipped;
}

PlayerEngine::FindResult PlayerEngine::FindShowable()
{
    const int limit = 2 * int(m_run.Order.size()) + 4;
    for (int tries = 0; tries < limit; ++tries) {
        if (m_run.Position < 0)
            m_run.Position = 0;
        if (m_run.Position >= int(m_run.Order.size()))
            return FindResult::ReachedEnd;
        const int index = SlideAt(m_run.Position);
        auto decoded = DecodeSlide(m_session.SlideLines.lines[index]);
        if (!decoded) {
            m_prompter.ShowError(MalformedLineMessage(index + 1));
            return FindResult::Nothing;
        }
        if (decoded->Hidden) {
            if (m_run.Position < int(m_run.Order.size()) - 1) {
                ++m_run.Position;
            } else if (m_session.Settings.LoopImages) {
                m_run.Position = 0;
                if (m_session.Settings.PresSort == PresSortMode::Random)
                    BuildSlideOrder(true);
            } else {
                // A hidden last slide: the pass has reached the end of the order.
                return FindResult::ReachedEnd;
            }
            continue;
        }
        if (m_quiz.RepresentMode && !m_run.Order[std::size_t(m_run.Position)].info.NotRemembered) {
            const int next = decoded->NextSlide;
            m_run.Position = next >= 1 ? next - 1 : m_run.Position + 1;
            // The end of the cycle sums it up, and may start the re-presentation again.
            if (m_run.Position >= int(m_run.Order.size()) ||
                m_run.Position == m_quiz.learningCycleEnd(int(m_run.Order.size())))
                return FindResult::CycleEnd;
            continue;
        }
        m_run.CurrentSlide = *decoded;
        return checkFiles(m_run.CurrentSlide);
    }
    return FindResult::Nothing;
}

// Whether the slide at `position` can be landed on by previous or first: visible, its own file
// fine (a bad file is reported when the stepping reaches it going forwards).
SlideUsable PlayerEngine::slideUsable(int position)
{
    const int index = SlideAt(position);
    if (index < 0)
        return SlideUsable::No;
    const auto decoded = DecodeSlide(m_session.SlideLines.lines[index]);
    if (!decoded) {
        m_prompter.ShowError(MalformedLineMessage(index + 1));
        return SlideUsable::Malformed;
    }
    return !decoded->Hidden && decoded->FileState == fsOk ? SlideUsable::Yes : SlideUsable::No;
}

// Previous and first: moves the position to one before the slide to land on, so the advance step
// lands there. Returns whether there was a movement.
bool PlayerEngine::HandleStep(PendingCommandCode code)
{
    m_run.PendingCommand = PendingCommandCode::None;
    const int target = StepBackTarget(
        code == PendingCommandCode::First ? StepBack::First : StepBack::Previous, m_run.Position,
        int(m_run.Order.size()), m_session.Settings.LoopImages,
        [this](int position) { return slideUsable(position); },
        [this] {
            if (m_session.Settings.PresSort == PresSortMode::Random)
                BuildSlideOrder(true);
        });
    if (target < 0)
        return false; // a malformed line, or nothing usable at all
    m_run.Position = target - 1;
    m_steppedBack = true;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Waits and inputs

void PlayerEngine::applyCaption(KeyHintState state)
{
    m_hintState = state;
    m_view.setCaption(ApplyCaption(m_session.Settings, m_captionParts, state,
                                   bool(m_quiz.Question.box), m_view.drawSizePercent()));
}

void PlayerEngine::refreshCaption()
{
    if (!m_run.Presenting)
        return;
    if (m_wait == WaitState::PausedWait)
        m_view.setCaption(PausedCaption(m_captionParts, m_view.drawSizePercent()));
    else
        applyCaption(m_hintState);
}

void PlayerEngine::applyEditedSettings(const PresentationSettings &edited)
{
    m_session.Settings = edited;
    m_session.SettingsModified = true;
    m_session.ConfigNotDefault = true;
    const PresentationSettings &s = m_session.Settings;
    if (m_run.Presenting) {
        m_view.setRunDecoration(s.WithoutMenuOrButtons, s.WithoutCaption,
                                m_session.Options.HideMainMenu);
        m_view.setActionEnabled(PlayerAction::A_V_ShowSlideName,
                                !s.PresWithITName || s.WithoutCaption);
        // The title bar of the slide on screen is built again with the new elements.
        if (m_wait == WaitState::WaitingManual || m_wait == WaitState::WaitingAuto ||
            m_wait == WaitState::PausedWait)
            m_captionParts = BuildCaptionParts(s, {m_session.SlideListPath, SlideAt(m_run.Position),
                                                   m_run.Position, int(m_run.Order.size()),
                                                   isRandomOrder(), &m_run.CurrentSlide});
        refreshCaption();
    }
    m_view.settingsChanged();
}

void PlayerEngine::enterWait()
{
    if (m_session.Settings.ManualViewing) {
        applyCaption(KeyHintState::Next);
        m_waitStartTick = m_run.RecordTime ? m_scheduler.tickMs() : -1;
        m_wait = WaitState::WaitingManual;
    } else {
        applyCaption(KeyHintState::Pause);
        const int seconds =
            m_run.CurrentSlide.TimeSet ? m_run.CurrentSlide.Time : m_session.Settings.ImageDelay;
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
    if (!m_run.RecordTime || m_waitStartTick < 0)
        return;
    const qint64 elapsed = m_scheduler.tickMs() - m_waitStartTick;
    m_session.SlideLines.recordTime(SlideAt(m_run.Position),
                                    int(std::llround(double(elapsed) / 1000.0)));
    m_waitStartTick = -1;
}

void PlayerEngine::resumeAfterManual(PendingCommandCode code)
{
    m_wait = WaitState::Busy;
    if (isSecondGroup(code)) {
        m_run.PendingCommand = code;
        stopAndEndPass();
        return;
    }
    recordShownTime();
    m_run.PendingCommand = PendingCommandCode::None;
    if (code != PendingCommandCode::Next && !HandleStep(code)) {
        stopAndEndPass();
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
    if (isSecondGroup(m_run.PendingCommand)) {
        stopAndEndPass();
        return;
    }
    if (m_run.StopRequested) {
        if (m_session.Settings.PresWithKeyInfo)
            applyCaption(KeyHintState::Finished);
        m_run.StopRequested = false;
        m_view.stopMedia();
        memorisationEndCheck();
        endPass(PassEnd::Failed);
        return;
    }
    const PendingCommandCode code = m_run.PendingCommand;
    m_run.PendingCommand = PendingCommandCode::None;
    if ((code == PendingCommandCode::Prior || code == PendingCommandCode::First) &&
        !HandleStep(code)) {
        stopAndEndPass();
        return;
    }
    if (m_run.Paused) {
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
        if (!m_run.Presenting) {
            if (m_session.PresentationReady)
                RunPresentation(0);
            return;
        }
        if (m_session.Settings.ManualViewing) {
            command(PendingCommandCode::Next);
        } else {
            BuildSlideOrder(false);
            togglePause();
        }
    });
}

void PlayerEngine::command(PendingCommandCode code)
{
    // A view-only user's editing command is refused, not queued: the run goes on untouched.
    if (m_session.AccessLevel == AccessLevel::ViewOnly && isEditingCommand(code))
        return;
    handleInput([this, code] {
        if (!m_run.Presenting) {
            if (isSecondGroup(code)) {
                m_run.ResumeAfterCommand = false;
                carryOut(code);
            }
            return;
        }
        switch (m_wait) {
        case WaitState::WaitingManual: resumeAfterManual(code); break;
        case WaitState::WaitingAuto:
            m_run.PendingCommand = code;
            if (isSecondGroup(code)) {
                // A command that ends the run does not wait out the slide's time.
                m_scheduler.cancel(m_timerId);
                m_timerActive = false;
                m_wait = WaitState::Busy;
                stopAndEndPass();
            }
            break;
        case WaitState::PausedWait:
            if (isSecondGroup(code)) {
                m_run.PendingCommand = code;
                m_wait = WaitState::Busy;
                stopAndEndPass();
            }
            // Stepping waits for the pause to end.
            break;
        default: break;
        }
    });
}

void PlayerEngine::stop()
{
    handleInput([this] {
        if (!m_run.Presenting)
            return;
        m_run.StopRequested = true;
        if (m_wait == WaitState::WaitingManual) {
            m_wait = WaitState::Busy;
            if (m_session.Settings.PresWithKeyInfo)
                applyCaption(KeyHintState::Finished);
            m_run.StopRequested = false;
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
        if (!m_run.Presenting || m_session.Settings.ManualViewing)
            return;
        m_run.Paused = !m_run.Paused;
        if (m_run.Paused) {
            m_view.setActionEnabled(PlayerAction::A_V_Stop, false);
            m_view.setActionEnabled(PlayerAction::A_V_First, false);
            m_view.setActionEnabled(PlayerAction::A_V_Prior, false);
            m_view.setInitNextText(QStringLiteral("A la següent"),
                                   QStringLiteral("Diapositiva següent"));
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
        if (!m_run.Presenting)
            return;
        if (m_run.Paused && !m_session.Settings.ManualViewing)
            return;
        const MsgButton b = outsideStep([this] {
            return m_prompter.messageBoxEx(QStringLiteral("Voleu interrompre la seqüència?"),
                                           MsgKind::Confirmation,
                                           {QStringLiteral("Yes"), QStringLiteral("No")});
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

void PlayerEngine::ReportResult(const QString &shown, const QString &written)
{
    m_quiz.ReportResult(shown, written);
}

void PlayerEngine::CalcTime()
{
    const qint64 secs = (m_times.StartTime.isValid() && m_times.EndTime.isValid())
                            ? m_times.StartTime.secsTo(m_times.EndTime)
                            : 0;
    m_prompter.ShowInfo(QStringLiteral("La presentació ha durat %1").arg(formatDuration(secs)));
}

// ---------------------------------------------------------------------------------------------
// Questions

void PlayerEngine::buildQuestionFor(const SlideRecord &slide)
{
    m_quiz.buildQuestionFor(slide, slide.PWithAnswer ? orderSeed() : 0);
    if (!slide.PWithAnswer)
        return;
    if (const auto &box = m_quiz.Question.box) {
        std::weak_ptr<TypedAnswer> weak = box;
        box->hooks.showAnswer = [this](const QString &answer) {
            outsideStep([&] {
                m_quiz.showTypedAnswer(answer);
                return true;
            });
        };
        box->hooks.finished = [this, weak](bool correct, float score) {
            if (!m_run.Presenting)
                return;
            const auto typed = weak.lock();
            followQuizStep(m_quiz.typedAnswerFinished(correct, score,
                                                      typed ? typed->MaxScore : 1.0f, quizPlace()));
        };
    }
    m_view.showQuestion(m_quiz.Question, slide);
}

void PlayerEngine::freeQuestion()
{
    m_quiz.freeQuestion();
    m_view.freeQuestion();
}

QuizPlace PlayerEngine::quizPlace()
{
    const SlideRecord &slide = m_run.CurrentSlide;
    const bool track = !m_run.NoAudioPlay && m_audioUsable && !slide.AudioFileName.isEmpty();
    return {m_run.Order, m_run.Position, slide, track ? slide.AudioFileName : QString(),
            slide.AudioRepeat};
}

void PlayerEngine::followQuizStep(QuizStep step)
{
    switch (step.action) {
    case QuizStep::Action::Stay: break;
    case QuizStep::Action::Jump:
        // The run goes on at the jump's position of the order.
        m_run.Position = step.position;
        m_steppedBack = true;
        [[fallthrough]];
    case QuizStep::Action::Next:
        if (m_run.Presenting)
            command(PendingCommandCode::Next);
        break;
    case QuizStep::Action::Stop: stop(); break;
    }
}

void PlayerEngine::AnswerClick(int index)
{
    handleInput([this, index] {
        if (!m_run.Presenting || index < 0 || index >= int(m_quiz.Question.answers.size()))
            return;
        if (m_wait != WaitState::WaitingManual && m_wait != WaitState::WaitingAuto)
            return;
        followQuizStep(outsideStep([&] { return m_quiz.AnswerClick(index, quizPlace()); }));
        drainQueued();
    });
}

bool PlayerEngine::mentalCheckApplies() const
{
    if (!m_run.Presenting || !m_session.Settings.ManualViewing ||
        m_wait != WaitState::WaitingManual)
        return false;
    return m_quiz.mentalCheckApplies(m_run.Position, int(m_run.Order.size()));
}

void PlayerEngine::spaceKey()
{
    handleInput([this] {
        if (!m_run.Presenting)
            return;
        if (!m_session.Settings.ManualViewing)
            togglePause();
        else if (mentalCheckApplies())
            followQuizStep(outsideStep([&] { return m_quiz.CheckMentalAnswer(quizPlace()); }));
        else
            command(PendingCommandCode::Next);
    });
}

void PlayerEngine::memorisationEndCheck(bool atEnd)
{
    const PresentationSettings &s = m_session.Settings;
    if (s.PresSort != PresSortMode::Memorisation || !s.ManualViewing || !m_run.Presenting)
        return;
    m_quiz.memorisationEnd(int(m_run.MemorizedCount) + (atEnd ? 1 : 0));
}
