#pragma once

#include "files/Prompter.h"
#include "player/PlayerView.h"
#include "player/PresentationSession.h"
#include "player/QuizRun.h"
#include "player/SlideCaption.h"
#include "player/SlideFileCheck.h"
#include "player/SlideOrder.h"
#include "presentation/SlideRecord.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class Scheduler;

// The run state the main window reads. Only the engine writes it.
struct PlayerRunState
{
    SlideOrder Order;
    int Position = -1;
    SlideRecord CurrentSlide;
    bool Presenting = false;
    bool Paused = true;
    bool StopRequested = false;
    PendingCommandCode PendingCommand = PendingCommandCode::None;
    bool ResumeAfterCommand = false;
    bool RecordTime = false;
    std::uint8_t MemorizedCount = 0;
    bool NoAudioPlay = false; // A_A_NoAudioPlay
};

// The player: builds the showing order of the presentation in force and steps through it. It
// never blocks: each wait is a state, and the engine returns to the event loop until a command,
// a timer or an answer resumes it where the stepping would have resumed.
//
//   Idle           no run (a list may be ready)
//   Busy           inside a step; inputs that arrive now (from a message box's own event loop)
//                  are queued and served once the engine is back in a wait
//   WaitingManual  a slide is up in manual mode; next, previous, first, stop or a second-group
//                  command moves on
//   WaitingAuto    a slide is up for its time; one timer runs. Next, previous and first act when
//                  it ends; stop and second-group commands end the run at once
//   PausedWait     an automatic wait ended while paused; the pause's end moves on
class PlayerEngine
{
public:
    enum class WaitState { Idle, Busy, WaitingManual, WaitingAuto, PausedWait };
    using CloseQuery = PresentationSession::CloseQuery;

    PlayerEngine(PresentationSession &session, PlayerView &view, Prompter &prompter,
                 Scheduler &scheduler);
    ~PlayerEngine();

    PresentationSession &session() { return m_session; }
    const PresentationSession &session() const { return m_session; }
    const PlayerRunState &state() const { return m_run; }
    const QuizRun &quiz() const { return m_quiz; }
    const RunTimes &times() const { return m_times; }

    // A fixed generator seed instead of the clock (headless modes and tests).
    void setFixedSeed(std::optional<std::uint32_t> seed) { m_fixedSeed = seed; }
    // A_F_RecTime: each slide's time on screen is written into its line.
    void setRecordTime(bool on) { m_run.RecordTime = on; }
    // A_A_NoAudioPlay: slides' audio tracks are not started.
    void setNoAudioPlay(bool on) { m_run.NoAudioPlay = on; }

    // Opens `path` as the list in force (after the close query of the current one, unless
    // already asked) and does what the options say on opening: start it, edit it or nothing.
    bool OpenPresentation(const QString &path, CloseQuery query = CloseQuery::Ask);
    void BuildSlideOrder(bool rebuild);
    int SlideAt(int position) const;
    // Where a run was started from: a run started while the program starts up keeps the
    // window's title bar, whatever WithoutCaption says. A resumed run keeps the order in force
    // (when it still fits the list), so a position chosen in it names the same slide.
    enum class RunOrigin { Command, StartUp, Resume };
    void RunPresentation(int start, RunOrigin origin = RunOrigin::Command);
    // Where the go-to window and the editors go on after the command they carry out: a run that
    // the command interrupted resumes at `position`; at rest a run starts there. Either way the
    // command is done (ResumeAfterCommand is cleared).
    void ResumeAt(int position);
    // The order position at which a run shows line `slideIndex` (0-based): the slide's own
    // index in sequential order, the first order entry holding it in a random one, `current`
    // when the order has no such entry. A random order is built first when none exists yet.
    int PositionOfSlide(int slideIndex, int current);
    // Shows a result to the viewer and appends it to every results destination in use.
    void ReportResult(const QString &shown, const QString &written = QString());
    // A_V_CalcTime: "La presentació ha durat nn:ss".
    void CalcTime();

    // --- Inputs ---
    // A_V_InitNext: at rest starts a run from the first slide; in a manual run, next; in an
    // automatic run, toggles the pause.
    void initNext();
    // Commands from menus, keys and answers. During a run first-group codes step and
    // second-group codes end the run first; at rest they are carried out at once.
    void command(PendingCommandCode code);
    void stop();        // A_V_Stop, Esc
    void togglePause(); // Space in an automatic run
    // Esc reaching the window while A_V_Stop is disabled.
    void escapeKey();
    // The window is asked to close. Returns whether it may close now; during a run the close is
    // deferred until the run has ended, and the engine then calls PlayerView::closeWindow.
    bool queryCloseWindow();

    // Question inputs: a radio answer clicked (its index in the question's answers), and Space
    // in a manual run (the mental check when the slide asks for one, otherwise next).
    void AnswerClick(int index);
    void spaceKey();
    bool mentalCheckApplies() const;
    bool learningMode() const { return m_quiz.learningMode(); }
    bool examMode() const { return m_quiz.examMode(); }

    WaitState waitState() const { return m_wait; }
    bool isRandomOrder() const { return m_session.Settings.PresSort != PresSortMode::Sequential; }
    const QString &captionParts() const { return m_captionParts; }
    KeyHintState keyHintState() const { return m_hintState; }
    // Re-applies the caption, e.g. when the picture's drawn size changed.
    void refreshCaption();
    // An option dialog handed back `edited`: it replaces the settings in force, which become
    // modified and no longer the defaults. A run going on takes its decoration and title bar from
    // them at once; a wait already running keeps its length, a new duration applies from the
    // next wait.
    void applyEditedSettings(const PresentationSettings &edited);
    // The program options changed: the commands whose hints follow them are refreshed.
    void programOptionsChanged() { m_view.settingsChanged(); }

private:
    enum class Phase { Top, Advance, CycleEnd };
    enum class FindResult { Found, Skipped, ReachedEnd, CycleEnd, Nothing, EndRun };
    enum class PassEnd { Normal, Failed };

    void prepareRun();
    void startPass(int start);
    void advance();
    // Ends the pass; returns true when a looping run starts its next pass.
    bool endPass(PassEnd how);
    // Stops the slide's media and ends the pass without looping (a stop or a command).
    void stopAndEndPass();
    void finishRun();
    FindResult FindShowable();
    FindResult checkFiles(SlideRecord &slide);
    bool HandleStep(PendingCommandCode code);
    // Whether the slide at `position` can be landed on by previous or first: visible, its own
    // file fine (a bad file is reported when the stepping reaches it going forwards).
    SlideUsable slideUsable(int position);
    void enterWait();
    void onTimer();
    void resumeAfterManual(PendingCommandCode code);
    void resumeAfterAuto();
    void handleInput(std::function<void()> input);
    void drainQueued();
    void audioHandOver(SlideRecord &slide);
    bool switchToList(const QString &path);
    void carryOut(PendingCommandCode code);
    void applyCaption(KeyHintState state);
    void enableStepActions();
    // The memorisation congratulation: `atEnd` when the order ran out (one more was recalled).
    void memorisationEndCheck(bool atEnd = false);
    void buildQuestionFor(const SlideRecord &slide);
    void freeQuestion();
    // The slide on screen for the quiz, and what its answer asks of the run.
    QuizPlace quizPlace();
    void followQuizStep(QuizStep step);
    void recordShownTime();
    std::uint32_t orderSeed() const;
    int guardLimit() const;
    // A random order whose entries all name lines of the list in force.
    bool orderFitsList() const;
    void queryCloseWindowDeferred();
    // Runs `ask` (a message box with its own event loop) holding inputs that arrive meanwhile.
    template <typename Ask> auto outsideStep(Ask &&ask);

    PresentationSession &m_session;
    PlayerView &m_view;
    Prompter &m_prompter;
    Scheduler &m_scheduler;
    PlayerRunState m_run;
    RunTimes m_times;
    QuizRun m_quiz;
    SlideFileCheck m_fileCheck;
    std::optional<std::uint32_t> m_fixedSeed;

    WaitState m_wait = WaitState::Idle;
    Phase m_phase = Phase::Top;
    int m_runStart = 0;
    RunOrigin m_runOrigin = RunOrigin::Command;
    bool m_passCountsNormal = true;
    bool m_steppedBack = false;  // the last step was previous or first: advance by one
    bool m_skippedSlide = false; // the slide at Position was passed over, not shown
    bool m_audioUsable = true;   // the current slide's track may be started
    bool m_prevAudioContinue = false;
    int m_stepsWithoutShow = 0; // guards searches that could never find a slide
    int m_timerId = 0;
    bool m_timerActive = false;
    qint64 m_waitStartTick = -1;
    QString m_captionParts;
    KeyHintState m_hintState = KeyHintState::None;
    std::deque<std::function<void()>> m_queued;
};
