#include "player/ui/TFShowImages.h"

#include "slides/PlayerRandom.h"
#include "slides/SlideScene.h"
#include "slides/ui/QuestionControls.h"
#include "slides/ui/SlideArea.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using L = SlideListFixture;

void showWindow(TFShowImages &w)
{
    w.resize(900, 700);
    showAndActivate(w);
}

// Shows the window with `list` loaded, started at once when `autoStart`.
void openList(TFShowImages &w, const QString &list, bool autoStart)
{
    showWindow(w);
    StartupArgs args;
    args.fileArgument = list;
    w.startUp(args, autoStart);
}

// Screenshots for a person to look at, when PELVAR_TEST_SHOTS names a folder.
void shot(TFShowImages &w, const char *name)
{
    const QString dir = qEnvironmentVariable("PELVAR_TEST_SHOTS");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(QLatin1String(name) + QStringLiteral(".png")));
}

QuestionControls *controls(TFShowImages &w)
{
    return w.slideArea()->questionControls();
}

struct Quiz
{
    SlideListFixture fx;
    QString list;
    explicit Quiz(const QStringList &questions)
    {
        QStringList lines;
        int n = 0;
        for (const QString &q : questions) {
            QImage img(200, 120, QImage::Format_RGB32);
            img.fill(QColor(40 + 50 * n, 120, 200));
            const QString pic = fx.path(QStringLiteral("p%1.png").arg(n++));
            img.save(pic, "PNG");
            lines.append(q.isEmpty() ? L::line(pic)
                                     : L::line(pic, QStringLiteral("XP"),
                                               QStringLiteral("Pregunta %1?").arg(n), q));
        }
        list = fx.list(QStringLiteral("quiz.sal"), lines);
    }
};

} // namespace

class QuestionWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void radioAnswersWithTheMouseAndTheKeyboard()
    {
        Quiz quiz(
            {QStringLiteral("*Roma|París|Londres"), QStringLiteral("*u|dos|tres"), QString()});
        FakePrompter prompter;
        TFShowImages w(prompter);
        openList(w, quiz.list, true);
        QVERIFY(w.engine().state().Presenting);
        QuestionControls *c = controls(w);
        QVERIFY(c);
        QCOMPARE(c->prompt()->text(), QStringLiteral("Pregunta 1?"));
        QCOMPARE(c->radios().size(), std::size_t(3));
        QVERIFY(!c->box());
        // The controls stand on the note panel at the bottom, inside the window, one row.
        const QRect area = w.slideArea()->rect();
        for (const auto &b : c->radios()) {
            QVERIFY(b->isVisible());
            QVERIFY(area.contains(b->geometry()));
            QCOMPARE(b->y(), c->radios()[0]->y());
        }
        QVERIFY(c->prompt()->geometry().bottom() < c->radios()[0]->y());
        shot(w, "radio-1");

        QTest::mouseClick(c->radios()[1], Qt::LeftButton);
        QCOMPARE(w.engine().quiz().WrongAttempts, std::uint8_t(1));
        QVERIFY(controls(w) == c);
        QTest::mouseClick(c->radios()[0], Qt::LeftButton);
        QCOMPARE(w.engine().state().Position, 1);

        // Keyboard: the arrows move without answering; Space or Enter answers.
        c = controls(w);
        QVERIFY(c);
        c->radios()[0]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), c->radios()[1].data());
        QCOMPARE(w.engine().quiz().WrongAttempts, std::uint8_t(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(w.engine().quiz().WrongAttempts, std::uint8_t(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), c->radios()[0].data());
        shot(w, "radio-2-keyboard");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.engine().state().Position, 2);
        QVERIFY(!controls(w));
        QVERIFY(prompter.shown.empty());
    }

    void typedAnswerWithMaskAndCorrection()
    {
        Quiz quiz({QStringLiteral("&Vilaclara"), QString()});
        FakePrompter prompter;
        TFShowImages w(prompter);
        openList(w, quiz.list, false);
        PresentationSettings &s = w.engine().session().Settings;
        s.ByInput = s.WithMask = s.ChangeIncorrectChar = true;
        s.CheckAtEnd = false;
        s.MaxIncorrections = 2;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QuestionControls *c = controls(w);
        QVERIFY(c && c->box());
        TEditAnsw *box = c->box();
        QCOMPARE(box->text(), QStringLiteral("V********"));
        QCOMPARE(box->cursorPosition(), 1);
        QCOMPARE(QApplication::focusWidget(), box);
        QVERIFY(w.windowTitle().endsWith(QStringLiteral("(Esc=cancel·la)")));
        // Single-key shortcuts are off while the box takes the keys.
        QVERIFY(w.singleKeyShortcutsOff());
        QVERIFY(w.action(PlayerAction::A_V_Prior)->shortcut().isEmpty());
        QVERIFY(!w.singleKeyShortcuts().empty());

        QTest::keyClicks(box, QStringLiteral("il"));
        QCOMPARE(box->text(), QStringLiteral("Vil******"));
        QTest::keyClicks(box, QStringLiteral("x"));
        QCOMPARE(box->text(), QStringLiteral("Vila*****"));
        QCOMPARE(box->cursorPosition(), 4);
        QCOMPARE(box->answer().Mistakes, 1);
        shot(w, "typed-1-corrected");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("Vil******"));
        QCOMPARE(box->cursorPosition(), 3);
        QCOMPARE(w.engine().state().Position, 0); // Backspace did not step back
        QTest::keyClicks(box, QStringLiteral(" "));
        QCOMPARE(box->answer().Mistakes, 2);
        QCOMPARE(box->text(), QStringLiteral("Vila*****"));
        QTest::keyClicks(box, QStringLiteral("CLARA"));
        QCOMPARE(box->text(), QStringLiteral("Vilaclara"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.engine().state().Position, 1);
        QVERIFY(!controls(w));
        QVERIFY(!w.singleKeyShortcutsOff());
        QCOMPARE(w.action(PlayerAction::A_V_Prior)->shortcut(), QKeySequence(Qt::Key_Backspace));
        QVERIFY(!w.windowTitle().endsWith(QStringLiteral("(Esc=cancel·la)")));
        QCOMPARE(w.engine().quiz().RememberedTotal, std::uint16_t(1));
    }

    void examInTheWindowWritesItsResult()
    {
        Quiz quiz({QStringLiteral("*Sí|No"), QStringLiteral("casa//<2")});
        QTemporaryDir results;
        FakePrompter prompter;
        TFShowImages w(prompter);
        openList(w, quiz.list, false);
        PlayerEngine &e = w.engine();
        e.session().Settings.ShowingModel = ShowingMode::Exam;
        e.session().Settings.ByInput = true;
        e.session().Options.Results.Write = e.session().Options.Results.Valid = true;
        e.session().Options.Results.Dir = results.path();
        e.session().Options.Results.Duration = false;
        e.session().UserName = QStringLiteral("Pere");
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QTest::mouseClick(controls(w)->radios()[1], Qt::LeftButton);
        // Esc still stops while a box is shown: here it is answered first.
        TEditAnsw *box = controls(w)->box();
        QVERIFY(box);
        QTest::keyClicks(box, QStringLiteral("casa"));
        QTest::keyClick(box, Qt::Key_Enter);
        QVERIFY(!e.state().Presenting);
        const QString message =
            QStringLiteral("S'ha obtingut la puntuació de 2,0\r\n= nota (sobre 10): 6,7\r\n"
                           "Representa 67% de la puntuació màxima (3,0)\r\n"
                           "Correctes: 1, incorrectes: 1, total: 2");
        QCOMPARE(prompter.shown.back().text, message);
        QFile f(results.filePath(QStringLiteral("Pere.txt")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toLatin1() +
                     "\r\n\r\nquiz\r\n\r\n" + message.toLatin1() + "\r\n\r\n");
    }

    void panelsAreSizedForTheirQuestion()
    {
        PresentationSettings s;
        FakePrompter p;
        PlayerRandom rng(1);
        SlideRecord slide;
        slide.Kind = skImage;
        slide.PWithAnswer = slide.PWithPromptForAnswer = true;
        slide.PromptOr1stLine = QStringLiteral("Quin color té el cel?");
        slide.AnswersOrNextLines = QStringLiteral("*Blau|Verd|Groc|Vermell");
        const QuestionModel q =
            BuildQuestion(slide, s, QuestionMode::Presentation, false, true, rng, p);
        const QSize area(800, 600);

        for (int pos : {1, 3}) {
            slide.NotePos = NotePosition(pos);
            SlideScene scene(s);
            scene.showImageSlide(slide);
            scene.setQuestion(q);
            const SlideScene::Layout L = scene.layout(area, nullptr);
            QCOMPARE(L.questionPanel, L.notePanel);
            QCOMPARE(L.notePanel.width(), 800);
            QCOMPARE(L.notePanel.y(), pos == 1 ? 0 : 600 - L.notePanel.height());
            // Every control inside the panel, the paragraphs not painted as notes.
            QVERIFY(L.notePanel.contains(L.question.prompt));
            for (const QRect &a : L.question.answers)
                QVERIFY(L.notePanel.contains(a));
            QVERIFY(scene.noteText1().isEmpty());
            QVERIFY(!L.imagePanel.intersects(L.notePanel));
        }
        slide.NotePos = NotePosition::Left;
        SlideScene side(s);
        side.showImageSlide(slide);
        side.setQuestion(q);
        const SlideScene::Layout LR = side.layout(area, nullptr);
        QCOMPARE(LR.notePanel.x(), 0);
        QCOMPARE(LR.notePanel.height(), 600);
        QVERIFY(LR.notePanel.width() >= 200 && LR.notePanel.width() <= 400);
        for (const QRect &a : LR.question.answers)
            QVERIFY(LR.notePanel.contains(a));

        // A title slide carries its question on the whole title panel.
        slide.Kind = skTitle;
        slide.FileName.clear();
        SlideScene title(s);
        title.showTitleSlide(slide);
        title.setQuestion(q);
        const SlideScene::Layout T = title.layout(area, nullptr);
        QCOMPARE(T.questionPanel, T.titlePanel);
        QVERIFY(T.question.prompt.y() > 200); // centred on the tall panel
        QVERIFY(title.noteText1().isEmpty());
    }

    void escapeStopsWhileABoxIsShown()
    {
        Quiz quiz({QStringLiteral("resposta"), QString()});
        FakePrompter prompter;
        TFShowImages w(prompter);
        openList(w, quiz.list, false);
        w.engine().session().Settings.ByInput = true;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(controls(w) && controls(w)->box());
        shot(w, "typed-2-free");
        QTest::keyClick(controls(w)->box(), Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
        QVERIFY(!controls(w));
        QVERIFY(!w.singleKeyShortcutsOff());
    }
};

QTEST_MAIN(QuestionWindowTest)
#include "QuestionWindowTest.moc"
