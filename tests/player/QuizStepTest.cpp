// The quiz of a run on its own, without an engine: each answer says where the run goes, and the
// quiz marks the slide in the order it is given.

#include "files/Prompter.h"
#include "player/PresentationSession.h"
#include "player/QuizRun.h"
#include "presentation/SlideRecord.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"

#include <QTest>

namespace {

struct Rig
{
    FakePlayerView view;
    FakePrompter prompter;
    FakeScheduler clock;
    PresentationSession session{view, prompter};
    RunTimes times;
    QuizRun quiz{session, view, prompter, clock, times};
    SlideOrder order{{0, {}}, {1, {}}, {2, {}}};
    SlideRecord slide;

    // A question slide whose second paragraph holds `answers`.
    void ask(const QString &answers)
    {
        quiz.freeQuestion();
        slide = *DecodeSlide(QStringLiteral("\tX\t\t%1\t\t").arg(answers));
        quiz.buildQuestionFor(slide, 1);
    }
    QuizPlace place(int position) { return {order, position, slide, QString(), false}; }
};

} // namespace

class QuizStepTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersSayWhereTheRunGoes()
    {
        Rig r;
        r.session.Settings.ManualViewing = true;
        r.session.Settings.ShowingModel = ShowingMode::Exam;
        r.ask(QStringLiteral("*Roma|París"));
        QCOMPARE(int(r.quiz.AnswerClick(0, r.place(0)).action), int(QuizStep::Action::Next));
        QCOMPARE(r.quiz.Score, 1.0f);

        r.ask(QStringLiteral("Bé//*3|Malament"));
        const QuizStep jump = r.quiz.AnswerClick(0, r.place(1));
        QCOMPARE(int(jump.action), int(QuizStep::Action::Jump));
        QCOMPARE(jump.position, 1); // one before the third position: the next step lands there

        // Out of range: nothing happens.
        QCOMPARE(int(r.quiz.AnswerClick(9, r.place(1)).action), int(QuizStep::Action::Stay));
        QVERIFY(r.view.shownSlides.empty());
    }

    void learningMarksTheOrderAndTheMentalCheckCanStop()
    {
        Rig r;
        r.session.Settings.ManualViewing = true;
        r.session.Settings.PresSort = PresSortMode::Random;
        r.session.Settings.ShowingModel = ShowingMode::Learning;
        r.ask(QStringLiteral("*u|dos"));
        QCOMPARE(int(r.quiz.AnswerClick(1, r.place(2)).action), int(QuizStep::Action::Stay));
        QVERIFY(r.order[2].info.NotRemembered);
        QCOMPARE(int(r.quiz.NotRememberedTotal), 1);

        r.quiz.freeQuestion();
        r.slide = *DecodeSlide(QStringLiteral("\t\t\t\t\t"));
        r.quiz.buildQuestionFor(r.slide, 1);
        QVERIFY(r.quiz.mentalCheckApplies(0, 3));
        r.prompter.answers = {MsgButton::Yes, MsgButton::Cancel};
        QCOMPARE(int(r.quiz.CheckMentalAnswer(r.place(0)).action), int(QuizStep::Action::Next));
        QVERIFY(!r.order[0].info.NotRemembered);
        QCOMPARE(int(r.quiz.CheckMentalAnswer(r.place(1)).action), int(QuizStep::Action::Stop));
        QCOMPARE(int(r.quiz.RememberedTotal), 1);
    }
};

QTEST_GUILESS_MAIN(QuizStepTest)
#include "QuizStepTest.moc"
