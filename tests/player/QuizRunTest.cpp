#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "player/ResultsWriter.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/SlideListFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

namespace {

using L = SlideListFixture;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

// A run of the player on the fake clock and view, with the results written for Maria into a
// folder of its own.
struct Quiz
{
    SlideListFixture fx;
    QTemporaryDir results;
    FakePlayerView view;
    FakePrompter prompter;
    FakeScheduler clock;
    std::unique_ptr<PresentationSession> session;
    std::unique_ptr<PlayerEngine> engine;

    Quiz()
    {
        // Results files compare their modification date with the clock's: run it today.
        clock.m_epoch = QDateTime::currentDateTime();
        session = std::make_unique<PresentationSession>(view, prompter);
        engine = std::make_unique<PlayerEngine>(*session, view, prompter, clock);
        engine->session().Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        engine->session().Options.Results.Write = true;
        engine->session().Options.Results.Valid = true;
        engine->session().Options.Results.Dir = results.path();
        engine->session().UserName = QStringLiteral("Maria");
    }
    PlayerEngine &load(const QStringList &lines, const QString &name = QStringLiteral("curs.sal"))
    {
        engine->session().SlideListPath = fx.list(name, lines);
        engine->session().LoadPresentation();
        return *engine;
    }
    QString pic(const QString &name) { return fx.picture(name); }
    QString resultsFile() const { return results.filePath(QStringLiteral("Maria.txt")); }
    QString lastText() const
    {
        return prompter.shown.empty() ? QString() : prompter.shown.back().text;
    }
    static QByteArray dateLine()
    {
        return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + "\r\n\r\n";
    }
};

const QString kExamResult =
    QStringLiteral("S'ha obtingut la puntuació de 3,0\r\n= nota (sobre 10): 7,5\r\n"
                   "Representa 75% de la puntuació màxima (4,0)\r\n"
                   "Correctes: 2, total: 2");

// The exam of two questions: one correct answer, then the answer worth 2 of 2 and 3.
void runExam(Quiz &q, qint64 secondsTaken)
{
    PlayerEngine &e = *q.engine;
    e.RunPresentation(0);
    e.AnswerClick(0);
    q.clock.advance(secondsTaken * 1000);
    QCOMPARE(e.quiz().Question.answers.size(), std::size_t(2));
    e.AnswerClick(0);
}

QStringList examList(Quiz &q)
{
    return {L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                    QStringLiteral("*Sí|No")),
            L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("X"), QString(),
                    QStringLiteral("Dos//<2|Tres//<3"))};
}

} // namespace

class QuizRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void examOfTwoQuestionsAndItsResultsFile()
    {
        Quiz q;
        auto &e = q.load(examList(q));
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        runExam(q, 65);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.quiz().Score, 3.0f);
        QCOMPARE(e.quiz().MaxTotal, 4.0f);
        QCOMPARE(q.lastText(), kExamResult);
        QCOMPARE(q.prompter.shown.back().kind, MsgKind::Information);
        const QByteArray once =
            Quiz::dateLine() + "curs\r\n\r\n" + kExamResult.toLatin1() + "\r\n01:05\r\n\r\n";
        QCOMPARE(readAll(q.resultsFile()), once);

        // The same list again the same day: no new date line, no new heading.
        runExam(q, 7);
        const QByteArray twice = once + kExamResult.toLatin1() + "\r\n00:07\r\n\r\n";
        QCOMPARE(readAll(q.resultsFile()), twice);

        // Another list the same day: its heading, still no date line; time of day without
        // leading spaces when the duration is off.
        e.session().Options.Results.Duration = false;
        e.session().Options.Results.Time = true;
        q.load(examList(q), QStringLiteral("història.sal"));
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        runExam(q, 1);
        const QByteArray time =
            q.clock.currentDateTime().time().toString(QStringLiteral("HH:mm:ss")).toLatin1();
        QCOMPARE(readAll(q.resultsFile()), twice +
                                               QString::fromUtf8("història\r\n\r\n").toLatin1() +
                                               kExamResult.toLatin1() + "\r\n" + time + "\r\n\r\n");
    }

    void twoDestinationsTakeTheHeadingOnce()
    {
        Quiz q;
        QTemporaryDir admin;
        auto &e = q.load(examList(q));
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Options.Results.Duration = false;
        e.session().AdminResults.Write = e.session().AdminResults.Valid = true;
        e.session().AdminResults.Dir = admin.path();
        e.session().AdminResults.Duration = false;
        runExam(q, 3);
        QCOMPARE(readAll(q.resultsFile()),
                 Quiz::dateLine() + "curs\r\n\r\n" + kExamResult.toLatin1() + "\r\n\r\n");
        QCOMPARE(readAll(admin.filePath(QStringLiteral("Maria.txt"))),
                 Quiz::dateLine() + kExamResult.toLatin1() + "\r\n\r\n");

        // A domain without a results folder warns and writes to the general folder.
        e.session().UserDomain = QStringLiteral("escola");
        e.session().DomainResultsDir = [](const QString &) { return QString(); };
        runExam(q, 3);
        QVERIFY(
            q.prompter.anyContains(QStringLiteral("No s'ha trobat el directori corresponent al "
                                                  "domini escola\r\nInformeu l'administrador")));
        QCOMPARE(readAll(admin.filePath(QStringLiteral("Maria.txt"))),
                 Quiz::dateLine() + kExamResult.toLatin1() + "\r\n\r\n" + kExamResult.toLatin1() +
                     "\r\n\r\n");
    }

    void negativeScoringAndTheCorrectAnswer()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Roma|París|Londres|Berlín"))});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.UseNegativeScore = true;
        e.session().Options.Results.Write = false;
        e.RunPresentation(0);
        e.AnswerClick(2);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.quiz().MaxTotal, 1.0f);
        QVERIFY(qAbs(e.quiz().Score + 1.0f / 3.0f) < 1e-6f);
        // The correct answer first (no header), then the mark.
        QCOMPARE(q.prompter.shown.size(), std::size_t(2));
        QCOMPARE(q.prompter.shown[0].text, QStringLiteral("Roma"));
        QCOMPARE(q.prompter.shown[0].kind, MsgKind::Information);
        QVERIFY(q.prompter.shown[0].answerMessage);
        QCOMPARE(q.lastText(),
                 QStringLiteral("S'ha obtingut la puntuació de -0,3\r\n= nota (sobre 10): -3,3\r\n"
                                "Representa -33% de la puntuació màxima (1,0)\r\n"
                                "Incorrectes: 1, total: 1"));
        QVERIFY(!QFile::exists(q.resultsFile()));
    }

    void omittedQuestionsCountTheirMaximum()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Sí|No")),
                          L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("Dos//<2|Tres//<3")),
                          L::line(q.pic(QStringLiteral("3.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("casa//<2")),
                          L::line(q.pic(QStringLiteral("4.png")))});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.ByInput = true;
        e.RunPresentation(0);
        e.AnswerClick(0);
        QCOMPARE(e.quiz().Omitted, std::uint16_t(0));
        e.command(PendingCommandCode::Next); // the scored question left unanswered
        QCOMPARE(e.quiz().Omitted, std::uint16_t(1));
        QCOMPARE(e.quiz().MaxTotal, 4.0f);
        QVERIFY(e.quiz().Question.box);
        e.command(PendingCommandCode::Next); // the typed one too
        QCOMPARE(e.quiz().Omitted, std::uint16_t(2));
        QCOMPARE(e.quiz().MaxTotal, 6.0f);
        e.command(PendingCommandCode::Next); // a slide without a question counts nothing
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.quiz().Omitted, std::uint16_t(2));
        QCOMPARE(q.lastText(),
                 QStringLiteral("S'ha obtingut la puntuació de 1,0\r\n= nota (sobre 10): 1,7\r\n"
                                "Representa 17% de la puntuació màxima (6,0)\r\n"
                                "Correctes: 1, omeses: 2, total: 3"));
    }

    void resultSoFarAtATotalSlideThenOnlyTheScore()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Sí|No")),
                          L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("T")),
                          L::line(q.pic(QStringLiteral("3.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Sí|No"))});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.OnlyResultTest = true;
        e.session().Options.Results.Write = false;
        e.RunPresentation(0);
        e.AnswerClick(0);
        QCOMPARE(q.lastText(), QStringLiteral("S'ha obtingut la puntuació de 1,0"));
        QCOMPARE(e.quiz().MaxTotal, 0.0f);
        e.command(PendingCommandCode::Next);
        e.AnswerClick(1);
        QCOMPARE(q.lastText(), QStringLiteral("S'ha obtingut la puntuació de 0,0"));
        QCOMPARE(q.prompter.shown.size(), std::size_t(3)); // the correct answer between them
    }

    void examTakesAWrongAnswerWithAReactionAsWrong()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Roma|París//És a França|Berlín|Londres")),
                          L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Sí|No//Segur?"))});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.UseNegativeScore = true;
        e.session().Options.Results.Write = false;
        e.RunPresentation(0);
        // The reaction, then the correct answer, and the next question: no second try.
        e.AnswerClick(1);
        QCOMPARE(q.view.shownSlides, (std::vector<int>{0, 1}));
        e.AnswerClick(1);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.quiz().MaxTotal, 2.0f);
        QVERIFY(qAbs(e.quiz().Score + 4.0f / 3.0f) < 1e-6f);
        QCOMPARE(q.prompter.texts(),
                 (QStringList{QStringLiteral("És a França"), QStringLiteral("Roma"),
                              QStringLiteral("Segur?"), QStringLiteral("Sí"),
                              QStringLiteral("S'ha obtingut la puntuació de -1,3\r\n= nota (sobre "
                                             "10): -6,7\r\nRepresenta -67% de la puntuació "
                                             "màxima (2,0)\r\nIncorrectes: 2, total: 2")}));
    }

    void typedAnswerWithAndWithoutIgnoreAccent()
    {
        for (const bool ignore : {true, false}) {
            Quiz q;
            auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"),
                                      QString(), QStringLiteral("cafè")),
                              L::line(q.pic(QStringLiteral("2.png")))});
            e.session().Settings.ByInput = true;
            e.session().Settings.IgnoreAccent = ignore;
            e.RunPresentation(0);
            QVERIFY(e.quiz().Question.box);
            QCOMPARE(q.view.questionsShown, 1);
            e.quiz().Question.box->typeKeys(QStringLiteral("cafe\n"));
            if (ignore) {
                QCOMPARE(q.view.shownSlides.size(), std::size_t(2));
                QCOMPARE(e.quiz().RememberedTotal, std::uint16_t(1));
                QVERIFY(q.prompter.shown.empty());
                continue;
            }
            // One mistake is allowed: the box empties; the second shows the answer and moves on.
            QCOMPARE(q.view.shownSlides.size(), std::size_t(1));
            QCOMPARE(e.quiz().Question.box->text(), QString());
            e.quiz().Question.box->typeKeys(QStringLiteral("cafe\n"));
            QCOMPARE(q.view.shownSlides.size(), std::size_t(2));
            QCOMPARE(e.quiz().NotRememberedTotal, std::uint16_t(1));
            QCOMPARE(q.prompter.texts(), QStringList{QStringLiteral("cafè")});
            QCOMPARE(q.prompter.shown[0].kind, MsgKind::Error);
            QVERIFY(!q.prompter.shown[0].icon);
        }
    }

    void mistakesLowerTheTypedScore()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("casa//<3"))});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.ByInput = true;
        e.session().Settings.MaxIncorrections = 2;
        e.session().Options.Results.Write = false;
        e.RunPresentation(0);
        e.quiz().Question.box->typeKeys(QStringLiteral("cosa\n"));
        QVERIFY(e.state().Presenting);
        e.quiz().Question.box->typeKeys(QStringLiteral("Casa\n"));
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.quiz().Score, 2.0f);
        QCOMPARE(e.quiz().MaxTotal, 3.0f);
    }

    void maskShowsTheHintAndTheCaretAfterIt()
    {
        Quiz q;
        auto &e = q.load(
            {L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("XP"),
                     QStringLiteral("Capital de Catalunya?"), QStringLiteral("&Barcelona"))});
        e.session().Settings.ByInput = true;
        e.session().Settings.WithMask = true;
        e.RunPresentation(0);
        QCOMPARE(e.quiz().Question.prompt, QStringLiteral("Capital de Catalunya?"));
        QCOMPARE(e.quiz().Question.box->text(), QStringLiteral("B********"));
        QCOMPARE(e.quiz().Question.box->caret(), 1);
    }

    void wrongClicksUpToTheLimit()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Roma|París//No, és a França|Londres")),
                          L::line(q.pic(QStringLiteral("2.png")))});
        e.session().Settings.MAMaxIncorrections = 3;
        e.session().Settings.AnswerMesWithIcon = true;
        e.session().Settings.FontAnswerMes.FontName = QStringLiteral("DejaVu Serif");
        e.RunPresentation(0);
        e.AnswerClick(2);
        e.AnswerClick(1); // a reaction counts as a wrong attempt too
        QCOMPARE(q.prompter.texts(), QStringList{QStringLiteral("No, és a França")});
        QCOMPARE(q.prompter.shown[0].kind, MsgKind::Error);
        QVERIFY(q.prompter.shown[0].icon);
        QCOMPARE(q.prompter.shown[0].fontFamily, QStringLiteral("DejaVu Serif"));
        QCOMPARE(q.view.shownSlides.size(), std::size_t(1));
        e.AnswerClick(2);
        QCOMPARE(q.lastText(), QStringLiteral("La resposta correcta era:\r\nRoma"));
        QVERIFY(!q.prompter.shown.back().icon);
        QCOMPARE(q.view.shownSlides.size(), std::size_t(2));

        // Without a limit the viewer may keep trying; OmissionLearningResultsMessages hides the
        // correct answer.
        Quiz r;
        auto &f = r.load({L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Roma|París")),
                          L::line(r.pic(QStringLiteral("2.png")))});
        f.session().Settings.MAMaxIncorrections = 0;
        f.RunPresentation(0);
        for (int i = 0; i < 300; ++i)
            f.AnswerClick(1);
        QCOMPARE(r.view.shownSlides.size(), std::size_t(1));
        f.AnswerClick(0);
        QCOMPARE(r.view.shownSlides.size(), std::size_t(2));
        QVERIFY(r.prompter.shown.empty());
    }

    void jumpsGoToTheirPosition()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Bé//*4|Malament//*3")),
                          L::line(q.pic(QStringLiteral("2.png"))),
                          L::line(q.pic(QStringLiteral("3.png"))),
                          L::line(q.pic(QStringLiteral("4.png")))});
        e.RunPresentation(0);
        e.AnswerClick(0);
        QCOMPARE(q.view.shownSlides, (std::vector<int>{0, 3}));
        e.command(PendingCommandCode::First);
        e.AnswerClick(1);
        QCOMPARE(q.view.shownSlides, (std::vector<int>{0, 3, 0, 2}));
    }

    void aJumpPastTheEndStillGivesTheMark()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*Bé//*9|Malament")),
                          L::line(q.pic(QStringLiteral("2.png")))});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Options.Results.Write = false;
        e.RunPresentation(0);
        e.AnswerClick(0);
        QVERIFY(!e.state().Presenting);
        // The correct answer with a jump counts nothing by itself; the question is not omitted.
        QCOMPARE(q.prompter.texts(), QStringList());
        QCOMPARE(e.quiz().Omitted, std::uint16_t(0));
    }

    void learningCycleShowsTheForgottenAgain()
    {
        Quiz q;
        QStringList lines;
        for (int i = 1; i <= 5; ++i)
            lines.append(L::line(q.pic(QStringLiteral("p%1.png").arg(i)), QString(),
                                 QStringLiteral("Tema %1").arg(i)));
        auto &e = q.load(lines);
        e.session().Settings.PresSort = PresSortMode::Random;
        e.session().Settings.ShowingModel = ShowingMode::Learning;
        e.setFixedSeed(1234);
        e.RunPresentation(0);
        std::vector<int> forgotten;
        const MsgButton answers[] = {MsgButton::Yes, MsgButton::No, MsgButton::Yes, MsgButton::No,
                                     MsgButton::Yes};
        for (MsgButton b : answers) {
            if (b == MsgButton::No)
                forgotten.push_back(q.view.shownSlides.back());
            q.prompter.answers.push_back(b);
            e.spaceKey();
        }
        const QString cycle1 =
            QStringLiteral("Diapositives (volta 1):\r\nno recordades: 2 (40%)\r\n"
                           "recordades: 3 (60%)\r\ntotal: 5");
        QCOMPARE(q.lastText(),
                 cycle1 + QStringLiteral("\r\n\r\nEs presentaran de nou les no recordades"));
        // The mental check names the slide and its first paragraph.
        QVERIFY(q.prompter.shown[0].text.endsWith(
            QStringLiteral("\r\n\r\nHo heu recordat correctament?")));
        QVERIFY(q.prompter.shown[0].text.contains(QStringLiteral("\r\n\r\nTema ")));
        QCOMPARE(q.prompter.shown[0].kind, MsgKind::Confirmation);
        QVERIFY(q.prompter.shown[0].icon);
        QVERIFY(e.quiz().RepresentMode);
        QCOMPARE(q.view.shownSlides.size(), std::size_t(6));
        QCOMPARE(q.view.shownSlides.back(), forgotten[0]);
        q.prompter.answers.push_back(MsgButton::Yes);
        e.spaceKey();
        QCOMPARE(q.view.shownSlides.back(), forgotten[1]);
        q.prompter.answers.push_back(MsgButton::Yes);
        e.spaceKey();
        QVERIFY(!e.state().Presenting);
        QCOMPARE(q.view.shownSlides.size(), std::size_t(7));
        const QString total = QStringLiteral("Diapositives (volta 2):\r\nno recordades: 2 (29%)\r\n"
                                             "recordades: 5 (71%)\r\ntotal: 7");
        QCOMPARE(q.lastText(), total);
        // The file has neither the "Es presentaran" line nor a duration of the fake clock's
        // making: both summaries, each with its duration line.
        QCOMPARE(readAll(q.resultsFile()), Quiz::dateLine() + "curs\r\n\r\n" + cycle1.toLatin1() +
                                               "\r\n00:00\r\n\r\n" + total.toLatin1() +
                                               "\r\n00:00\r\n\r\n");
    }

    // The slides before and after a random range stay out of the cycles; a cycle ends once the
    // range's last slide was shown.
    void learningCycleOfARangeTakesInItsLastSlide()
    {
        Quiz q;
        auto &e = q.load({L::line(QString(), QString(), QStringLiteral("Inici")),
                          L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("u")),
                          L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("dos")),
                          L::line(q.pic(QStringLiteral("3.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("tres")),
                          L::line(QString(), QString(), QStringLiteral("Fi"))});
        PresentationSettings &s = e.session().Settings;
        s.PresSort = PresSortMode::Random;
        s.PresDRandom = RandomScope::Range;
        s.RandomRangeInf = 2;
        s.RandomRangeSup = 4;
        s.ShowingModel = ShowingMode::Learning;
        e.session().Options.Results.Write = false;
        e.setFixedSeed(3);
        e.RunPresentation(0);
        e.spaceKey(); // the title: no question to check
        q.prompter.answers = {MsgButton::No, MsgButton::Yes, MsgButton::Yes};
        for (int i = 0; i < 3; ++i)
            e.spaceKey();
        const QString cycle1 =
            QStringLiteral("Diapositives (volta 1):\r\nno recordades: 1 (33%)\r\n"
                           "recordades: 2 (67%)\r\ntotal: 3");
        QCOMPARE(q.lastText(),
                 cycle1 + QStringLiteral("\r\n\r\nEs presentaran de nou les no recordades"));
        const std::vector<int> shown = q.view.shownSlides;
        QCOMPARE(shown.size(), std::size_t(5));
        QCOMPARE(shown[0], 0);
        QCOMPARE((std::set<int>{shown[1], shown[2], shown[3]}), (std::set<int>{1, 2, 3}));
        QCOMPARE(shown[4], shown[1]); // the one forgotten, shown again
        q.prompter.answers = {MsgButton::Yes};
        e.spaceKey();
        QCOMPARE(q.lastText(), QStringLiteral("Diapositives (volta 2):\r\nno recordades: 1 "
                                              "(25%)\r\nrecordades: 3 (75%)\r\ntotal: 4"));
        QCOMPARE(q.view.shownSlides.back(), 4);
        e.spaceKey();
        QVERIFY(!e.state().Presenting);
    }

    void learningWithEverythingRemembered()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("u")),
                          L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("dos")),
                          L::line(q.pic(QStringLiteral("3.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("tres"))});
        e.session().Settings.PresSort = PresSortMode::Random;
        e.session().Settings.ShowingModel = ShowingMode::Learning;
        e.session().Options.Results.Write = false;
        e.setFixedSeed(7);
        e.RunPresentation(0);
        QVERIFY(e.quiz().Question.mental);
        for (int i = 0; i < 3; ++i) {
            q.prompter.answers.push_back(MsgButton::Yes);
            e.spaceKey();
        }
        QCOMPARE(q.lastText(), QStringLiteral("Enhorabona, n'heu recordat 3"));
        QVERIFY(!e.state().Presenting);
        // A mental answer shows its own text; Cancel stops the run.
        Quiz r;
        auto &f = r.load({L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("&u//<2")),
                          L::line(r.pic(QStringLiteral("2.png")))});
        f.RunPresentation(0);
        f.spaceKey();
        QCOMPARE(r.prompter.shown[0].text,
                 QStringLiteral("u\r\n\r\nHo heu recordat correctament?"));
        QVERIFY(!f.state().Presenting);
    }

    void memorisationGrowsToTheEnd()
    {
        Quiz q;
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png"))),
                          L::line(q.pic(QStringLiteral("2.png"))),
                          L::line(q.pic(QStringLiteral("3.png")))});
        e.session().Settings.PresSort = PresSortMode::Memorisation;
        e.session().Settings.InitialMemorizedCount = 0;
        e.session().Options.Results.Write = false;
        e.setFixedSeed(99);
        e.RunPresentation(0);
        for (int i = 0; i < 6; ++i)
            e.command(PendingCommandCode::Next);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(q.prompter.texts(),
                 (QStringList{QStringLiteral("Ja n'heu recordat 1, recomencem de nou"),
                              QStringLiteral("Ja n'heu recordat 2, recomencem de nou"),
                              QStringLiteral("Enhorabona, n'heu recordat 3")}));
        const auto &s = q.view.shownSlides;
        QCOMPARE(s.size(), std::size_t(6));
        QCOMPARE(s[1], s[0]);
        QCOMPARE((std::vector<int>{s[3], s[4]}), (std::vector<int>{s[1], s[2]}));

        // Stopped in the middle: the slides recalled so far.
        q.prompter.clear();
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        e.stop();
        QCOMPARE(q.prompter.texts(),
                 (QStringList{QStringLiteral("Ja n'heu recordat 1, recomencem de nou"),
                              QStringLiteral("Ja n'heu recordat 2, recomencem de nou"),
                              QStringLiteral("Enhorabona, n'heu recordat 2")}));
    }

    void reactionsFromTheMeaningTables()
    {
        Quiz q;
        // Words: a word with two meanings is shown grouped; a meaning names its word.
        // A word with an accelerator mark is found by the caption its button shows.
        q.fx.file(QStringLiteral("curs.wml"),
                  "gat\tfelí\r\ngat\tmoix\r\ngos\tcà\r\nR&B\tmúsica\r\nfoc\t&calor\r\n");
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*peix|gat///|cà///|res///|R&B///|calor///"))});
        e.session().Settings.MAMaxIncorrections = 0;
        e.RunPresentation(0);
        for (int i = 1; i <= 5; ++i)
            e.AnswerClick(i);
        QCOMPARE(q.prompter.texts(),
                 (QStringList{QStringLiteral("gat\\felí, moix"), QStringLiteral("gos"),
                              QStringLiteral("No s'ha trobat la resposta a la taula"),
                              QStringLiteral("música"), QStringLiteral("foc")}));

        // Pictures and sounds: a picture opens its window; a sound alone plays and is offered
        // again.
        Quiz r;
        const QString picture = r.pic(QStringLiteral("lleó.png"));
        const QString sound = r.fx.file(QStringLiteral("lleó.wav"), QByteArray("RIFF"));
        r.fx.file(QStringLiteral("zoo.sml"),
                  (picture + QStringLiteral("\t3\t4\t\tlleó\r\n\t-1\t-1\t") + sound +
                   QStringLiteral("\trugit\r\n") + r.fx.path(QStringLiteral("no.png")) +
                   QStringLiteral("\t-1\t-1\t\tfantasma\r\n"))
                      .toUtf8());
        auto &f = r.load({L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("lleó///|rugit///|fantasma///|*cap"), QString(),
                                  r.fx.file(QStringLiteral("fons.wav"), "RIFF"))},
                         QStringLiteral("zoo.sal"));
        f.RunPresentation(0);
        r.view.audioLog.clear();
        f.AnswerClick(0);
        QCOMPARE(r.view.reactions, QStringList{QStringLiteral("picture %1 3 4 ").arg(picture)});
        f.AnswerClick(1);
        QCOMPARE(
            r.view.audioLog,
            (QStringList{QStringLiteral("play %1 0").arg(sound), QStringLiteral("stop"),
                         QStringLiteral("play %1 0").arg(r.fx.path(QStringLiteral("fons.wav")))}));
        QVERIFY(r.prompter.shown.back().text.startsWith(
            QStringLiteral("Reproduint\r\n%1\r\n(rugit)").arg(sound)));
        f.AnswerClick(2);
        QCOMPARE(r.lastText(),
                 QStringLiteral("no s'ha trobat\r\n(%1)").arg(r.fx.path(QStringLiteral("no.png"))));
    }

    void largeAndFaultyTables()
    {
        // 100,000 words: loaded with the list, the last one found by its reaction.
        Quiz q;
        QByteArray table;
        for (int i = 0; i < 100000; ++i)
            table += "paraula" + QByteArray::number(i) + "\tsignificat " + QByteArray::number(i) +
                     "\r\n";
        q.fx.file(QStringLiteral("gran.wml"), table);
        auto &e = q.load({L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*u|paraula99999///"))},
                         QStringLiteral("gran.sal"));
        QCOMPARE(e.session().WordTable.table.recordCount(), 100000);
        e.RunPresentation(0);
        e.AnswerClick(1);
        QCOMPARE(q.prompter.texts(), QStringList{QStringLiteral("significat 99999")});

        // A line with a field too many stops the reading with a message; what was read stays and
        // the run goes on.
        Quiz r;
        r.fx.file(QStringLiteral("mal.wml"), "gat\tfelí\r\ngos\tcà\tsobra\r\nsol\tastre\r\n");
        auto &f = r.load({L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("X"), QString(),
                                  QStringLiteral("*u|gat///|sol///"))},
                         QStringLiteral("mal.sal"));
        QCOMPARE(r.prompter.shown.size(), std::size_t(1));
        QCOMPARE(f.session().WordTable.table.recordCount(), 1);
        r.prompter.clear();
        f.RunPresentation(0);
        f.AnswerClick(1);
        f.AnswerClick(2);
        QCOMPARE(r.prompter.texts(),
                 (QStringList{QStringLiteral("felí"),
                              QStringLiteral("No s'ha trobat la resposta a la taula")}));
        QVERIFY(f.state().Presenting);
    }

    void badAnswerFieldsDoNoHarm()
    {
        Quiz q;
        QStringList many;
        for (int i = 0; i < 500; ++i)
            many.append(QStringLiteral("r%1").arg(i));
        many[250].prepend(QLatin1Char('*'));
        auto &e = q.load(
            {L::line(q.pic(QStringLiteral("1.png")), QStringLiteral("XR"), QString(),
                     many.join(QLatin1Char('|'))),
             L::line(q.pic(QStringLiteral("2.png")), QStringLiteral("X"), QString(),
                     QStringLiteral("//|//|||//")),
             L::line(q.pic(QStringLiteral("3.png")), QStringLiteral("X"), QString(),
                     QStringLiteral("|")),
             L::line(q.pic(QStringLiteral("4.png")), QStringLiteral("X"), QString(),
                     QStringLiteral("//<1e999")),
             L::line(q.pic(QStringLiteral("5.png")), QStringLiteral("XP"), QString(), QString())});
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.ByInput = true;
        e.session().Options.Results.Write = false;
        e.setFixedSeed(5);
        e.RunPresentation(0);
        QCOMPARE(e.quiz().Question.answers.size(), std::size_t(500));
        QStringList captions;
        for (const SlideAnswer &a : e.quiz().Question.answers)
            captions.append(a.caption);
        captions.sort();
        QStringList expected = many;
        expected[250].remove(0, 1);
        expected.sort();
        QCOMPARE(captions, expected); // every answer once, shuffled
        e.command(PendingCommandCode::Next);
        QCOMPARE(e.quiz().Question.answers.size(), std::size_t(1));
        e.AnswerClick(0); // the only answer, wrong, with no correct one to show
        QCOMPARE(e.quiz().Question.answers.size(), std::size_t(0));
        e.command(PendingCommandCode::Next);
        QVERIFY(e.quiz().Question.box);
        QCOMPARE(q.lastText(),
                 QStringLiteral("Assignació de número de puntuació que no és un número (1e999)"));
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.quiz().Omitted, std::uint16_t(2));
    }
};

QTEST_GUILESS_MAIN(QuizRunTest)
#include "QuizRunTest.moc"
