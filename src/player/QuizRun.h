#pragma once

#include "files/Prompter.h"
#include "player/SlideOrder.h"
#include "presentation/SlideAnswers.h"
#include "presentation/SlideRecord.h"
#include "slides/Question.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

class PlayerView;
class PresentationSession;
class Scheduler;

// The start and end of the run in force, shared by the engine (which starts and ends runs) and
// the quiz (whose results are dated by them).
struct RunTimes
{
    QDateTime StartTime, EndTime;
};

// Where the run goes after an answer. The quiz never steps the run itself: the engine does what
// the answer returns.
struct QuizStep
{
    enum class Action { Stay, Next, Jump, Stop };
    Action action = Action::Stay;
    // Jump: the position of the order the run goes on at.
    int position = 0;
};

// The slide on screen as the quiz sees it: its place in the order, which the answers mark as
// remembered or not, and its audio track as it plays (empty when it does not), started again
// after a sound reaction.
struct QuizPlace
{
    SlideOrder &order;
    int position;
    const SlideRecord &slide;
    QString slideTrack;
    bool slideTrackRepeat = false;
};

// The quiz side of a run: the question of the slide on screen, answers, the learning,
// memorisation and exam counters, reactions from the meaning tables and the result messages.
// Messages it shows run their own event loop; the engine holds its inputs meanwhile.
class QuizRun
{
public:
    QuizRun(PresentationSession &session, PlayerView &view, Prompter &prompter,
            Scheduler &scheduler, RunTimes &times);

    // Counters and score of the run (learning, memorisation and exam).
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
    // A learning run showing again the slides not remembered.
    bool RepresentMode = false;
    // The question of the slide on screen (empty when it has none).
    QuestionModel Question;

    // Learning: manual viewing, random order, the learning model. Exam: manual, the exam model.
    bool learningMode() const;
    bool examMode() const;

    void resetQuizCounters();
    // Builds the question of `slide` (the answers shuffled with `seed`); the caller shows it.
    void buildQuestionFor(const SlideRecord &slide, std::uint32_t seed);
    void freeQuestion();

    // A radio answer clicked: its index in Question.answers.
    QuizStep AnswerClick(int index, QuizPlace place);
    // The typed-answer box ended its question.
    QuizStep typedAnswerFinished(bool correct, float score, float maxScore, QuizPlace place);
    // The typed-answer box shows the correct answer.
    void showTypedAnswer(const QString &answer);
    // Space in a manual learning run: whether it asks "Ho heu recordat correctament?".
    bool mentalCheckApplies(int position, int orderSize) const;
    // Asks it: Next, or Stop when cancelled.
    QuizStep CheckMentalAnswer(QuizPlace place);

    // Exam: counts the question on screen as omitted when it was not answered (once per slide).
    void AccountQuestion();
    void ShowTestResult();
    // The position where a learning cycle ends.
    int learningCycleEnd(int orderSize) const;
    // Returns true when a re-presentation of the slides not remembered starts (from the first
    // position).
    bool LearningCycleSummary();
    // The memorisation congratulation: `memorized` slides were recalled.
    void memorisationEnd(int memorized);

    // Shows a result to the viewer and appends it to every results destination in use.
    // `written` is the text for the files when it differs from the one shown.
    void ReportResult(const QString &shown, const QString &written = QString());

private:
    void RecordRemembered(QuizPlace place);
    void RecordNotRemembered(QuizPlace place);
    void ShowCorrectAnswer(const QString &header);
    void ShowReaction(const SlideAnswer &answer, const QuizPlace &place);
    void showMeaningFromWords(const QString &caption);
    void showMeaningFromSounds(const QString &caption, const QuizPlace &place);
    MsgButton answerMessage(const QString &text, MsgKind kind, const QStringList &specs, bool icon);

    PresentationSession &m_session;
    PlayerView &m_view;
    Prompter &m_prompter;
    Scheduler &m_scheduler;
    RunTimes &m_times;
    bool m_questionAccounted = false; // the exam accounting of the question on screen is done
};
