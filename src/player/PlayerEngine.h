#pragma once

#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptions.h"
#include "files/Prompter.h"
#include "player/PlayerView.h"
#include "slides/Question.h"
#include "player/SlideCaption.h"
#include "player/SlideOrder.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"
#include "tables/MeaningTables.h"

#include <QDateTime>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class Scheduler;

// The player: opens a slide list with its companions, builds the showing order and steps through
// it. It never blocks: each wait is a state, and the engine returns to the event loop until a
// command, a timer or an answer resumes it where the stepping would have resumed.
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

    PlayerEngine(PlayerView &view, Prompter &prompter, Scheduler &scheduler);
    ~PlayerEngine();

    // --- Player state held for the main window ---
    SlideList SlideLines;
    QString SlideListPath = SlideList::untitledName();
    QString PreviousListPath;
    SlideOrder Order;
    int Position = -1;
    SlideRecord CurrentSlide;
    bool PresentationReady = false;
    bool Presenting = false;
    bool Paused = true;
    bool StopRequested = false;
    PendingCommandCode PendingCommand = PendingCommandCode::None;
    bool ResumeAfterCommand = false;
    bool SettingsModified = false;
    bool RecordTime = false;
    QDateTime StartTime, EndTime;
    std::uint8_t MemorizedCount = 0;
    bool RepresentMode = false;
    bool NoAudioPlay = false; // A_A_NoAudioPlay
    QString ConfigSource;     // the file the settings in force were read from or saved to
    bool ConfigNotDefault = false;

    // Quiz counters and score of the run (learning, memorisation and exam).
    std::uint16_t RememberedTotal = 0;
    std::uint16_t NotRememberedTotal = 0;
    std::uint16_t RememberedInCycle = 0;    // exam: correct answers
    std::uint16_t NotRememberedInCycle = 0; // exam: wrong answers
    std::uint16_t Omitted = 0;
    std::uint8_t CycleNumber = 0;
    float Score = 0.0f;
    float MaxTotal = 0.0f;
    bool Answered = false;
    bool FailedThisSlide = false;
    std::uint8_t WrongAttempts = 0;
    // The question of the slide on screen (empty when it has none).
    QuestionModel Question;

    // The presentation's meaning tables, loaded with the list when they lie beside it.
    MeaningTable WordTable{MeaningKind::Words};
    MeaningTable SoundTable{MeaningKind::Sounds};

    // Results writing: the user's own destination is Options.Results; the administrator's is
    // AdminResults, optionally one folder per domain.
    TWriteRes AdminResults;
    QString UserName;
    QString UserDomain;
    // The results folder of a domain, "" when it has none (the users module answers it).
    std::function<QString(const QString &domain)> DomainResultsDir;

    PresentationSettings Settings;
    ProgramOptions Options;
    int AccessLevel = 2; // 2 full, 1 editing, 0 view only

    // Headless and test hooks: a fixed generator seed instead of the clock, and settings that
    // override the presentation's configuration file as if they stood in it.
    std::optional<std::uint32_t> FixedSeed;
    std::vector<std::pair<QString, QString>> SettingOverrides; // "Section.Key", value
    // Where "per defecte" saves: the program configuration. Empty in headless runs.
    QString ProgramIniPath;
    int SaveDestination = 1; // 0 the presentation's own, 1 the default, 2 a file chosen
    // Fonts, questions and the picture dialog used while reading settings files.
    SettingsReadContext ReadContext;

    // --- Operations ---
    // Whether the close query of the list in force was already answered for this opening.
    enum class CloseQuery { Ask, AlreadyAsked };
    bool OpenPresentation(const QString &path, CloseQuery query = CloseQuery::Ask);
    bool LoadPresentation();
    void ValidateList();
    void BuildSlideOrder(bool rebuild);
    int SlideAt(int position) const;
    void RunPresentation(int start);
    bool QueryCloseList();
    bool SaveSlideList(const QString &path);
    // Reads the list's own configuration when loading it is on and the file exists.
    bool LoadPresentationConfig();
    // Writes the settings in force into `path` (keys of other kinds kept); true when written.
    bool SaveConfigTo(const QString &path);
    // Saves the presentation settings beside the list (its ".ini"); true when saved.
    bool SavePresentationConfig();
    // Saves now to SaveDestination; `chosenPath` is the file for destination 2.
    bool SaveNow(const QString &chosenPath = QString());
    bool OfferToSaveConfig() const;
    bool isUnnamed() const;
    // A_F_OpenIni: offers to save the settings in force, then reads the chosen file.
    void OpenIni();
    QString presentationConfigPath() const;

    // Shows a result to the viewer and appends it to every results destination in use.
    // `written` is the text for the files when it differs from the one shown.
    void ReportResult(const QString &shown, const QString &written = QString());
    QString adminResultsPath();
    // A_V_CalcTime: "La presentació ha durat nn:ss".
    void CalcTime();

    // --- Inputs ---
    // A_V_InitNext: at rest starts a run from the first slide; in a manual run, next; in an
    // automatic run, toggles the pause.
    void initNext();
    // Commands from menus, keys and answers. During a run first-group codes step and
    // second-group codes end the run first; at rest they are carried out at once.
    void command(PendingCommandCode code);
    void stop();      // A_V_Stop, Esc
    void togglePause(); // Space in an automatic run
    // Esc reaching the window while A_V_Stop is disabled.
    void escapeKey();
    // The window is asked to close. Returns whether it may close now; during a run the close is
    // deferred until the run has ended, and the engine then calls PlayerView::closeWindow.
    bool queryCloseWindow();

    // Question inputs: a radio answer clicked (its index in Question.answers), and Space in a
    // manual run (the mental check when the slide asks for one, otherwise next).
    void AnswerClick(int index);
    void spaceKey();
    bool mentalCheckApplies() const;
    // Learning: manual viewing, random order, the learning model. Exam: manual, the exam model.
    bool learningMode() const;
    bool examMode() const;

    WaitState waitState() const { return m_wait; }
    bool isRandomOrder() const { return Settings.PresSort != 0; }
    const QString &captionParts() const { return m_captionParts; }
    KeyHintState keyHintState() const { return m_hintState; }
    // Re-applies the caption, e.g. when the picture's drawn size changed.
    void refreshCaption();

private:
    enum class Phase { Top, Advance, CycleEnd };
    enum class FindResult { Found, Skipped, ReachedEnd, CycleEnd, Nothing, EndRun };
    enum class BadFileOutcome { Ok, Skipped, Relocated, EndRun };
    enum class PassEnd { Normal, Failed };

    // Reads a meaning table beside the list, showing what went wrong; true when it holds the file.
    bool loadMeaningTable(MeaningTable &table, const QString &path);
    void prepareRun();
    void startPass(int start);
    void advance();
    // Ends the pass; returns true when a looping run starts its next pass.
    bool endPass(PassEnd how);
    void finishRun();
    FindResult FindShowable();
    BadFileOutcome reportBadFile(const QString &prefix, TFileState state, const QString &path,
                               bool silent, SlideList::RelocateField field, QString *relocated);
    FindResult checkFiles(SlideRecord &slide);
    bool HandleStep(PendingCommandCode code);
    int firstUsablePosition();
    bool slideUsable(int position, bool *decodeFailed);
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
    // Quiz steps of the stepping loop.
    void resetQuizCounters();
    void buildQuestionFor(const SlideRecord &slide);
    void freeQuestion();
    void RecordRemembered();
    void RecordNotRemembered();
    void AccountQuestion();
    void ShowTestResult();
    // Returns true when a re-presentation of the slides not remembered starts.
    bool LearningCycleSummary();
    int learningCycleEnd() const;
    void ShowCorrectAnswer(const QString &header);
    void ShowReaction(const SlideAnswer &answer);
    void showMeaningFromWords(const QString &caption);
    void showMeaningFromSounds(const QString &caption);
    void CheckMentalAnswer();
    void typedAnswerFinished(bool correct, float score, float maxScore);
    void answerNext();
    MsgButton answerMessage(const QString &text, MsgKind kind, const QStringList &specs, bool icon);
    void recordShownTime();
    std::uint32_t orderSeed() const;
    int guardLimit() const;
    void queryCloseWindowDeferred();
    MsgButton askOutsideStep(const std::function<MsgButton()> &ask);

    PlayerView &m_view;
    Prompter &m_prompter;
    Scheduler &m_scheduler;

    WaitState m_wait = WaitState::Idle;
    Phase m_phase = Phase::Top;
    int m_runStart = 0;
    bool m_passCountsNormal = true;
    bool m_steppedBack = false;   // the last step was previous or first: advance by one
    bool m_skippedSlide = false;  // the slide at Position was passed over, not shown
    bool m_audioUsable = true;    // the current slide's track may be started
    bool m_prevAudioContinue = false;
    int m_stepsWithoutShow = 0;   // guards searches that could never find a slide
    int m_timerId = 0;
    bool m_timerActive = false;
    qint64 m_waitStartTick = -1;
    bool m_closeAfterRun = false;
    bool m_questionAccounted = false; // the exam accounting of the question on screen is done
    QString m_captionParts;
    KeyHintState m_hintState = KeyHintState::None;
    std::deque<std::function<void()>> m_queued;
};
