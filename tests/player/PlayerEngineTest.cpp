#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/SlideListFixture.h"

#include "config/TNewIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

using L = SlideListFixture;

struct Rig
{
    SlideListFixture fx;
    FakePlayerView view;
    FakePrompter prompter;
    FakeScheduler clock;
    std::unique_ptr<PresentationSession> session;
    std::unique_ptr<PlayerEngine> engine;

    Rig()
    {
        session = std::make_unique<PresentationSession>(view, prompter);
        engine = std::make_unique<PlayerEngine>(*session, view, prompter, clock);
        // These scenarios are about stepping: the list's own configuration is never offered.
        engine->session().Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
    }

    // Writes the list, loads it as the player does and returns the engine.
    PlayerEngine &load(const QStringList &lines, const QString &name = QStringLiteral("a.sal"))
    {
        engine->session().SlideListPath = fx.list(name, lines);
        engine->session().LoadPresentation();
        return *engine;
    }
    QString pic(const QString &name) { return fx.picture(name); }
    std::vector<int> shown() const { return view.shownSlides; }
};

} // namespace

class PlayerEngineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void manualRunStepsThroughAndEnds()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                          L::line(r.pic(QStringLiteral("2.png"))),
                          L::line(QString(), {}, QStringLiteral("Títol"), QStringLiteral("Sub"))});
        e.RunPresentation(0);
        QCOMPARE(r.shown(), (std::vector<int>{0}));
        QVERIFY(e.state().Presenting);
        QCOMPARE(e.waitState(), PlayerEngine::WaitState::WaitingManual);
        QVERIFY(r.view.caption.contains(QStringLiteral("1/3")));
        QVERIFY(
            r.view.caption.endsWith(QStringLiteral("(Barra=següent, Esc=cancel·la, <-=prèvia)")));
        e.command(PendingCommandCode::Next);
        e.initNext(); // A_V_InitNext in a manual run is "next" too
        QCOMPARE(r.shown(), (std::vector<int>{0, 1, 2}));
        QVERIFY(
            r.view.caption.endsWith(QStringLiteral("(Barra=següent, Esc=cancel·la, <-=prèvia)")));
        e.command(PendingCommandCode::Next);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(e.waitState(), PlayerEngine::WaitState::Idle);
        QCOMPARE(r.view.caption, e.session().SlideListPath);
        QCOMPARE(r.view.initNextCaption, QStringLiteral("Inicia la reproducció"));
        QVERIFY(r.prompter.shown.empty());
    }

    // A view-only user's editing command neither ends the run nor waits for its end; going to a
    // slide still does.
    void viewOnlyEditingCommandsAreRefused()
    {
        Rig r;
        auto &e = r.load(
            {L::line(r.pic(QStringLiteral("1.png"))), L::line(r.pic(QStringLiteral("2.png")))});
        e.session().AccessLevel = AccessLevel::ViewOnly;
        e.RunPresentation(0);
        for (PendingCommandCode code :
             {PendingCommandCode::EditSAL, PendingCommandCode::EditNewWML,
              PendingCommandCode::OpenSML, PendingCommandCode::OpenIni,
              PendingCommandCode::ModalOptions, PendingCommandCode::InFormalOptions}) {
            e.command(code);
            QVERIFY(e.state().Presenting);
            QCOMPARE(e.state().PendingCommand, PendingCommandCode::None);
        }
        QCOMPARE(r.shown(), (std::vector<int>{0}));
        e.command(PendingCommandCode::Goto);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(r.view.carriedOut, (std::vector<PendingCommandCode>{PendingCommandCode::Goto}));
        // At rest too.
        e.command(PendingCommandCode::EditSAL);
        QCOMPARE(r.view.carriedOut.size(), std::size_t(1));
    }

    void hiddenSlidesAreSkippedBothWays()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                          L::line(r.pic(QStringLiteral("2.png")), QStringLiteral("H")),
                          L::line(r.pic(QStringLiteral("3.png")), QStringLiteral("HL")),
                          L::line(r.pic(QStringLiteral("4.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        QCOMPARE(r.shown(), (std::vector<int>{0, 3}));
        e.command(PendingCommandCode::Prior);
        QCOMPARE(r.shown(), (std::vector<int>{0, 3, 0}));
        QCOMPARE(e.state().Position, 0);
    }

    void previousAndFirstAtTheStart()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                          L::line(r.pic(QStringLiteral("2.png"))),
                          L::line(r.pic(QStringLiteral("3.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Prior); // no loop: stays on the first slide
        QCOMPARE(r.shown(), (std::vector<int>{0, 0}));
        e.session().Settings.LoopImages = true;
        e.command(PendingCommandCode::Prior); // looping: to the last slide
        QCOMPARE(r.shown().back(), 2);
        e.command(PendingCommandCode::First);
        QCOMPARE(r.shown().back(), 0);
        QVERIFY(e.state().Presenting);
    }

    void firstAndPreviousWithEveryEarlierSlideHidden()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("H")),
                          L::line(r.pic(QStringLiteral("2.png")), QStringLiteral("H")),
                          L::line(r.pic(QStringLiteral("3.png"))),
                          L::line(r.pic(QStringLiteral("4.png")))});
        e.RunPresentation(0);
        QCOMPARE(r.shown(), (std::vector<int>{2}));
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::First);
        QCOMPARE(r.shown(), (std::vector<int>{2, 3, 2}));
        e.command(PendingCommandCode::Prior); // nothing visible before: the first visible slide
        QCOMPARE(r.shown(), (std::vector<int>{2, 3, 2, 2}));
        QVERIFY(e.state().Presenting);
    }

    void automaticWaitsAndLateCommands()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")), {}, {}, {}, QStringLiteral("0")),
                          L::line(r.pic(QStringLiteral("2.png")), {}, {}, {}, QStringLiteral("7")),
                          L::line(r.pic(QStringLiteral("3.png"))),
                          L::line(r.pic(QStringLiteral("4.png")))});
        e.session().Settings.ManualViewing = false;
        e.RunPresentation(0);
        QCOMPARE(r.clock.lastDelayMs(), 500); // a time of 0 waits half a second
        QVERIFY(r.view.caption.endsWith(QStringLiteral("(Barra=pausa, Esc=cancel·la, <-=prèvia)")));
        r.clock.advance(499);
        QCOMPARE(r.shown().size(), std::size_t(1));
        r.clock.advance(1);
        QCOMPARE(r.shown(), (std::vector<int>{0, 1}));
        QCOMPARE(r.clock.lastDelayMs(), 7000);
        e.command(PendingCommandCode::Prior); // acts when the wait ends, not before
        r.clock.advance(6999);
        QCOMPARE(r.shown(), (std::vector<int>{0, 1}));
        r.clock.advance(1);
        QCOMPARE(r.shown(), (std::vector<int>{0, 1, 0}));
        r.clock.advance(500);
        r.clock.advance(7000);
        QCOMPARE(r.shown(), (std::vector<int>{0, 1, 0, 1, 2}));
        QCOMPARE(r.clock.lastDelayMs(), 2000); // the default delay
        e.session().Settings.ImageDelay = 300; // a new delay applies from the next wait
        r.clock.advance(2000);
        QCOMPARE(r.clock.lastDelayMs(), 300000);
        r.clock.advance(300000);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(r.clock.pendingTimers(), 0);
    }

    void pauseHoldsAtTheEndOfTheWait()
    {
        Rig r;
        auto &e = r.load(
            {L::line(r.pic(QStringLiteral("1.png"))), L::line(r.pic(QStringLiteral("2.png")))});
        e.session().Settings.ManualViewing = false;
        e.RunPresentation(0);
        e.togglePause();
        QVERIFY(e.state().Paused);
        QVERIFY(!r.view.isEnabled(PlayerAction::A_V_Stop));
        r.clock.advance(2000);
        QCOMPARE(e.waitState(), PlayerEngine::WaitState::PausedWait);
        QVERIFY(r.view.caption.endsWith(QStringLiteral("(pausat; Barra=continua)")));
        r.clock.advance(60000);
        QCOMPARE(r.shown(), (std::vector<int>{0}));
        e.initNext(); // A_V_InitNext in an automatic run toggles the pause
        QCOMPARE(r.shown(), (std::vector<int>{0, 1}));
        QVERIFY(r.view.isEnabled(PlayerAction::A_V_Stop));
        QCOMPARE(e.waitState(), PlayerEngine::WaitState::WaitingAuto);
    }

    void stopAndCloseDoNotWaitOutALongSlide()
    {
        Rig r;
        auto &e =
            r.load({L::line(r.pic(QStringLiteral("1.png")), {}, {}, {}, QStringLiteral("300")),
                    L::line(r.pic(QStringLiteral("2.png")))});
        e.session().Settings.ManualViewing = false;
        e.RunPresentation(0);
        e.stop();
        QVERIFY(!e.state().Presenting);
        QCOMPARE(r.clock.pendingTimers(), 0);

        e.RunPresentation(0);
        QVERIFY(!e.queryCloseWindow()); // the run ends first, then the window closes
        QVERIFY(!e.state().Presenting);
        QVERIFY(r.view.closed);
    }

    void nextSlideJumpsCycle()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                          L::line(r.pic(QStringLiteral("2.png"))),
                          L::line(r.pic(QStringLiteral("3.png")), QStringLiteral("*1")),
                          L::line(r.pic(QStringLiteral("4.png")))});
        e.RunPresentation(0);
        for (int i = 0; i < 5; ++i)
            e.command(PendingCommandCode::Next);
        QCOMPARE(r.shown(), (std::vector<int>{0, 1, 2, 0, 1, 2}));
        // Previous after a jump slide steps back one, not through the jump.
        e.command(PendingCommandCode::Prior);
        QCOMPARE(r.shown().back(), 1);
    }

    void timeRecordingRewritesOnlyTheTimeField()
    {
        Rig r;
        const QString audio = r.fx.file(QStringLiteral("so.wav"), "RIFF");
        auto &e = r.load(
            {L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("B"), QStringLiteral("nota"),
                     QStringLiteral("dos"), QStringLiteral("9"), audio),
             L::line(r.pic(QStringLiteral("2.png")))});
        e.setRecordTime(true);
        e.RunPresentation(0);
        r.clock.advance(3600);
        e.command(PendingCommandCode::Next);
        QCOMPARE(e.session().SlideLines.lines[0],
                 L::line(r.fx.path(QStringLiteral("1.png")), QStringLiteral("B"),
                         QStringLiteral("nota"), QStringLiteral("dos"), QStringLiteral("4"),
                         audio));
        QVERIFY(e.session().SlideLines.modified);
        e.command(PendingCommandCode::Next);
        // Closing now asks to save the list.
        QVERIFY(!e.session().QueryCloseList());
        QVERIFY(r.prompter.anyContains(QStringLiteral("Voleu desar la llista")));
        QCOMPARE(r.prompter.shown.back().buttonWidthDlu, 70);
    }

    void missingFileButtons()
    {
        const QString missing = QStringLiteral("/no/such/folder/absent.png");
        { // "&Segueix" passes over the slide
            Rig r;
            auto &e = r.load({L::line(missing), L::line(r.pic(QStringLiteral("2.png")))});
            r.prompter.answers = {MsgButton::Cancel};
            e.RunPresentation(0);
            QCOMPARE(r.shown(), (std::vector<int>{1}));
            QCOMPARE(r.prompter.shown.size(), std::size_t(1));
            const auto &box = r.prompter.shown[0];
            QVERIFY(box.text.startsWith(
                QStringLiteral("La imatge/text a la diapositiva 1: no s'ha trobat\r\n(%1)")
                    .arg(missing)));
            QVERIFY(box.text.endsWith(QStringLiteral("escolliu \"&Refés\"")));
            QCOMPARE(
                box.specs,
                (QStringList{QStringLiteral("Yes &Edita"), QStringLiteral("No &Atura"),
                             QStringLiteral("Cancel &Segueix"), QStringLiteral("Retry &Refés")}));
        }
        { // "&Atura" ends the run
            Rig r;
            auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))), L::line(missing),
                              L::line(r.pic(QStringLiteral("3.png")))});
            r.prompter.answers = {MsgButton::No};
            e.RunPresentation(0);
            e.command(PendingCommandCode::Next);
            QVERIFY(!e.state().Presenting);
            QCOMPARE(r.shown(), (std::vector<int>{0}));
            QVERIFY(r.view.carriedOut.empty());
        }
        { // "&Edita" ends the run and opens the editor
            Rig r;
            auto &e = r.load({L::line(missing)});
            r.prompter.answers = {MsgButton::Yes};
            bool resumeSet = false;
            r.view.onCarryOut = [&](PendingCommandCode) {
                resumeSet = e.state().ResumeAfterCommand;
            };
            e.RunPresentation(0);
            QVERIFY(!e.state().Presenting);
            QCOMPARE(r.view.carriedOut,
                     (std::vector<PendingCommandCode>{PendingCommandCode::EditSAL}));
            // Set while the editor runs (it resumes the run), cleared once it is done.
            QVERIFY(resumeSet);
            QVERIFY(!e.state().ResumeAfterCommand);
        }
        { // "&Refés" moves every line's file to the list's folder
            Rig r;
            r.pic(QStringLiteral("x.png"));
            r.pic(QStringLiteral("y.png"));
            auto &e = r.load({L::line(QStringLiteral("C:\\Dades\\fotos\\x.png"),
                                      QStringLiteral("L"), QStringLiteral("nota")),
                              L::line(QStringLiteral("D:/altres/y.png")),
                              L::line(QStringLiteral("C:\\z\\absent.png"))});
            r.prompter.answers = {MsgButton::Retry};
            e.RunPresentation(0);
            QCOMPARE(r.shown(), (std::vector<int>{0}));
            QCOMPARE(e.state().CurrentSlide.FileName,
                     QDir(r.fx.dir()).filePath(QStringLiteral("x.png")));
            QCOMPARE(e.session().SlideLines.lines[0],
                     L::line(QDir(r.fx.dir()).filePath(QStringLiteral("x.png")),
                             QStringLiteral("L"), QStringLiteral("nota")));
            QCOMPARE(e.session().SlideLines.lines[1],
                     L::line(QDir(r.fx.dir()).filePath(QStringLiteral("y.png"))));
            QCOMPARE(e.session().SlideLines.lines[2], L::line(QStringLiteral("C:\\z\\absent.png")));
            QVERIFY(e.session().SlideLines.modified);
            e.command(PendingCommandCode::Next);
            QCOMPARE(r.shown(), (std::vector<int>{0, 1}));
            // The third one is not in the folder: the box comes back without "&Refés".
            r.prompter.answers = {MsgButton::Retry, MsgButton::Cancel};
            e.command(PendingCommandCode::Next);
            QCOMPARE(r.prompter.shown.size(), std::size_t(3));
            QVERIFY(!r.prompter.shown[2].specs.contains(QStringLiteral("Retry &Refés")));
            QVERIFY(!r.prompter.shown[2].text.contains(QStringLiteral("Refés")));
            QVERIFY(!e.state().Presenting);
        }
        { // view-only users get an error and the run ends; the no-warning option skips silently
            Rig r;
            auto &e = r.load({L::line(missing), L::line(r.pic(QStringLiteral("2.png")))});
            e.session().AccessLevel = AccessLevel::ViewOnly;
            e.RunPresentation(0);
            QVERIFY(!e.state().Presenting);
            QCOMPARE(r.prompter.shown.back().kind, MsgKind::Error);
            r.prompter.clear();
            e.session().Options.NoWarningWhenNoSlideExist = true;
            e.RunPresentation(0);
            QCOMPARE(r.shown(), (std::vector<int>{1}));
            QVERIFY(r.prompter.shown.empty());
        }
    }

    void badAudioStillShowsTheSlide()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")), {}, {}, {}, {},
                                  QStringLiteral("/nowhere/so.mp3")),
                          L::line(r.pic(QStringLiteral("2.png")), {}, {}, {}, {},
                                  r.fx.path(QStringLiteral("cançó.txt")))});
        r.fx.file(QStringLiteral("cançó.txt"), "x");
        e.RunPresentation(0);
        QCOMPARE(r.shown(), (std::vector<int>{0}));
        QVERIFY(r.prompter.shown[0].text.startsWith(
            QStringLiteral("La pista d'audio a la diapositiva 1: no s'ha trobat")));
        e.command(PendingCommandCode::Next);
        QVERIFY(
            r.prompter.shown[1].text.contains(QStringLiteral("no es pot visualitzar/escoltar")));
        QVERIFY(!r.prompter.shown[1].specs.contains(QStringLiteral("Retry &Refés")));
        QCOMPARE(r.shown(), (std::vector<int>{0, 1}));
        QVERIFY(!r.view.audioLog.join(QLatin1Char(' ')).contains(QStringLiteral("play")));
    }

    void audioHandOver()
    {
        Rig r;
        const QString a = r.fx.file(QStringLiteral("a.wav"), "RIFF");
        const QString b = r.fx.file(QStringLiteral("b.wav"), "RIFF");
        auto &e =
            r.load({L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("Ac"), {}, {}, {}, a),
                    L::line(r.pic(QStringLiteral("2.png"))),
                    L::line(r.pic(QStringLiteral("3.png")), QStringLiteral("Ar"), {}, {}, {}, b),
                    L::line(r.pic(QStringLiteral("4.png")), QStringLiteral("As"))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        QCOMPARE(r.view.audioLog,
                 (QStringList{QStringLiteral("stop"), QStringLiteral("play %1 0").arg(a),
                              // slide 2 inherits the continuation: no stop
                              // slide 3 follows a continuing slide: its own track
                              QStringLiteral("play %1 1").arg(b), QStringLiteral("stop")}));
    }

    void switchingToAnotherList()
    {
        Rig r;
        const QString second =
            r.fx.list(QStringLiteral("b.sal"), {L::line(r.pic(QStringLiteral("b1.png"))),
                                                L::line(r.pic(QStringLiteral("b2.png")))});
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))), L::line(second),
                          L::line(r.pic(QStringLiteral("3.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        QCOMPARE(e.session().SlideListPath, second);
        QCOMPARE(r.shown(), (std::vector<int>{0, 0}));
        QCOMPARE(e.state().CurrentSlide.FileName, r.fx.path(QStringLiteral("b1.png")));
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        QVERIFY(!e.state().Presenting); // the first list is not resumed
        QCOMPARE(r.shown(), (std::vector<int>{0, 0, 1}));
    }

    void switchesThatFailEndThePass()
    {
        // A sub-list whose word table cannot be read: its message, and the pass ends there.
        Rig r;
        const QString broken =
            r.fx.list(QStringLiteral("b.sal"), {L::line(r.pic(QStringLiteral("b1.png")))});
        r.fx.file(QStringLiteral("b.wml"), "gat\tanimal\r\nsol\r\n");
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))), L::line(broken),
                          L::line(r.pic(QStringLiteral("3.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(r.shown(), (std::vector<int>{0}));
        QVERIFY(r.prompter.texts().back().startsWith(QStringLiteral("Línia 2")));
        // The list in force is the sub-list, ready with its table's first records.
        QCOMPARE(e.session().SlideListPath, broken);
        QVERIFY(r.view.isEnabled(PlayerAction::A_V_InitNext));
        QVERIFY(r.view.isEnabled(PlayerAction::A_F_EditWML));
        QCOMPARE(e.session().WordTable.table.recordCount(), 1);

        // A sub-list with nothing to show: the run ends and cannot be started again.
        Rig h;
        const QString hidden =
            h.fx.list(QStringLiteral("h.sal"),
                      {L::line(h.pic(QStringLiteral("h1.png")), QStringLiteral("H"))});
        auto &f = h.load({L::line(h.pic(QStringLiteral("1.png"))), L::line(hidden)});
        f.RunPresentation(0);
        f.command(PendingCommandCode::Next);
        QVERIFY(!f.state().Presenting);
        QCOMPARE(h.prompter.texts(),
                 QStringList{QStringLiteral("No hi ha cap diapositiva a mostrar")});
        QCOMPARE(h.view.initNextCaption, QStringLiteral("Inicia la reproducció"));
        QVERIFY(!h.view.isEnabled(PlayerAction::A_V_InitNext));
        QVERIFY(!h.view.isEnabled(PlayerAction::A_V_Goto));
    }

    void allHiddenListsOpenWithoutStarting()
    {
        Rig r;
        const QString path =
            r.fx.list(QStringLiteral("h.sal"),
                      {L::line(r.pic(QStringLiteral("1.png")), QStringLiteral("H")),
                       L::line(r.pic(QStringLiteral("2.png")), QStringLiteral("HL"))});
        QVERIFY(r.engine->OpenPresentation(path)); // opening runs the list
        QCOMPARE(r.prompter.texts(),
                 QStringList{QStringLiteral("No hi ha cap diapositiva a mostrar")});
        QVERIFY(!r.engine->state().Presenting);
        QVERIFY(r.shown().empty());
        QVERIFY(!r.view.isEnabled(PlayerAction::A_V_InitNext));
        QVERIFY(!r.view.isEnabled(PlayerAction::A_V_Goto));
        QVERIFY(r.view.isEnabled(PlayerAction::A_F_EditSAL));
    }

    void aRunStartedWithTheProgramKeepsTheTitleBar()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")))});
        e.session().Settings.WithoutCaption = true;
        e.RunPresentation(0, PlayerEngine::RunOrigin::StartUp);
        QVERIFY(e.state().Presenting);
        QVERIFY(!r.view.decorated);
        e.stop();
        e.RunPresentation(0); // started by the viewer: borderless
        QVERIFY(r.view.decorated);
        e.stop();
        QVERIFY(!r.view.decorated);
    }

    void programSlides()
    {
        Rig r;
        const QString exe = r.fx.file(QStringLiteral("eina.exe"), "MZ");
        const QString doc = r.fx.file(QStringLiteral("doc.pdf"), "%PDF");
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                          L::line(QString(), QStringLiteral("O"), doc),
                          L::line(r.pic(QStringLiteral("3.png"))),
                          L::line(exe, QStringLiteral("C"), QStringLiteral("-x"))});
        e.session().Settings.LoopImages = true;
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        QCOMPARE(r.view.launched, QStringList{doc});
        QCOMPARE(r.shown(), (std::vector<int>{0, 2}));
        e.command(PendingCommandCode::Next);
        QCOMPARE(r.view.launched, (QStringList{doc, exe}));
        QVERIFY(!e.state().Presenting);
        QVERIFY(r.view.closed); // the program slide with "C" closes the window

        // A missing document is reported, but the slide's own file is fine: after "&Segueix"
        // (or without a warning) the slide still comes up and the opening is tried.
        Rig m;
        const QString gone = m.fx.path(QStringLiteral("absent.pdf"));
        auto &d = m.load({L::line(QString(), QStringLiteral("O"), gone),
                          L::line(m.pic(QStringLiteral("2.png")))});
        m.prompter.answers = {MsgButton::Cancel};
        d.RunPresentation(0);
        QVERIFY(m.prompter.texts()[0].startsWith(
            QStringLiteral("L'arxiu a obrir a la diapositiva 1: no s'ha trobat")));
        QCOMPARE(m.view.launched, QStringList{gone});
        QCOMPARE(m.shown(), (std::vector<int>{1}));
        d.command(PendingCommandCode::Next);
        m.prompter.clear();
        d.session().Options.NoWarningWhenNoOpenFNExist = true;
        d.RunPresentation(0);
        QVERIFY(m.prompter.shown.empty());
        QCOMPARE(m.view.launched, (QStringList{gone, gone}));
    }

    void loopingAndSearchesThatMustEnd()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                          L::line(r.pic(QStringLiteral("2.png"))),
                          L::line(r.pic(QStringLiteral("3.png")), QStringLiteral("H"))});
        e.session().Settings.LoopImages = true;
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        e.command(PendingCommandCode::Next);
        QCOMPARE(r.shown(), (std::vector<int>{0, 1, 0}));

        Rig h;
        auto &all = h.load({L::line(h.pic(QStringLiteral("1.png")), QStringLiteral("H")),
                            L::line(h.pic(QStringLiteral("2.png")), QStringLiteral("H"))});
        QCOMPARE(h.prompter.texts(),
                 QStringList{QStringLiteral("No hi ha cap diapositiva a mostrar")});
        QVERIFY(!h.view.isEnabled(PlayerAction::A_V_InitNext));
        all.session().Settings.LoopImages = true;
        all.RunPresentation(0);
        QVERIFY(!all.state().Presenting);

        // Every slide missing and skipped silently, looping: the run ends instead of spinning.
        Rig m;
        auto &gone =
            m.load({L::line(QStringLiteral("/x/1.png")), L::line(QStringLiteral("/x/2.png"))});
        gone.session().Options.NoWarningWhenNoSlideExist = true;
        gone.session().Settings.LoopImages = true;
        gone.RunPresentation(0);
        QVERIFY(!gone.state().Presenting);
    }

    void aThousandHiddenSlidesDoNotRecurse()
    {
        Rig r;
        QStringList lines;
        const QString p = r.pic(QStringLiteral("1.png"));
        for (int i = 0; i < 20000; ++i)
            lines.append(L::line(p, QStringLiteral("H")));
        lines.append(L::line(p));
        auto &e = r.load(lines);
        e.RunPresentation(0);
        QCOMPARE(r.shown(), (std::vector<int>{20000}));
    }

    void malformedLineEndsTheRun()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))), QStringLiteral("a\tb\tc"),
                          L::line(r.pic(QStringLiteral("3.png")))});
        QVERIFY(r.prompter.shown.empty()); // validation stops at the first visible slide
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(r.prompter.texts().back(), MalformedLineMessage(2));
    }

    void aSlideTheViewCannotShowEndsTheRun()
    {
        // A text slide whose file cannot be read: the view says so and the run ends there, in
        // manual and in automatic order alike, with the media stopped.
        for (const bool manual : {true, false}) {
            Rig r;
            auto &e = r.load({L::line(r.pic(QStringLiteral("1.png"))),
                              L::line(r.pic(QStringLiteral("2.png"))),
                              L::line(r.pic(QStringLiteral("3.png")))});
            e.session().Settings.ManualViewing = manual;
            r.view.unshowable = {1};
            e.RunPresentation(0);
            const int stopsBefore = r.view.mediaStops;
            if (manual)
                e.command(PendingCommandCode::Next);
            else
                r.clock.advance(2000);
            QCOMPARE(r.shown(), (std::vector<int>{0, 1}));
            QVERIFY(!e.state().Presenting);
            QVERIFY(r.view.mediaStops > stopsBefore);
        }
    }

    void badListsGiveTheirMessages()
    {
        {
            Rig r;
            r.engine->session().SlideListPath =
                r.fx.file(QStringLiteral("empty.sal"), QByteArray());
            QVERIFY(r.engine->session().LoadPresentation());
            QCOMPARE(r.prompter.texts(),
                     QStringList{QStringLiteral("No hi ha cap diapositiva a mostrar")});
            r.engine->session().Settings.LoopImages = true;
            r.engine->RunPresentation(0);
            QVERIFY(!r.engine->state().Presenting);
        }
        {
            Rig r;
            QByteArray binary;
            for (int i = 0; i < 5000; ++i)
                binary += char((i * 37 + 11) & 0xFF);
            r.engine->session().SlideListPath = r.fx.file(QStringLiteral("bin.sal"), binary);
            r.engine->session().LoadPresentation();
            QCOMPARE(r.prompter.texts(), QStringList{MalformedLineMessage(1)});
            r.engine->RunPresentation(0);
            QVERIFY(!r.engine->state().Presenting);
        }
        {
            Rig r;
            r.engine->session().SlideListPath = r.fx.path(QStringLiteral("absent.sal"));
            QVERIFY(!r.engine->session().LoadPresentation());
            QVERIFY(!r.engine->session().PresentationReady);
            QVERIFY(r.prompter.anyContains(QStringLiteral("absent.sal")));
        }
    }

    void presentationConfigurationOffers()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")))}, QStringLiteral("b.sal"));
        e.session().Options.SaveIndividualConfigO = SaveConfigPolicy::Ask;
        // B has no configuration of its own: closing offers to save one; Yes writes it.
        QVERIFY(e.session().OfferToSaveConfig());
        r.prompter.answers = {MsgButton::Yes};
        QVERIFY(e.session().QueryCloseList());
        QCOMPARE(r.prompter.texts().back(),
                 QStringLiteral("Voleu desar la configuració (arxiu ini) de\r\n%1?")
                     .arg(e.session().SlideListPath));
        QVERIFY(QFileInfo::exists(r.fx.path(QStringLiteral("b.ini"))));
        QVERIFY(!e.session().SettingsModified);
        QVERIFY(!e.session().OfferToSaveConfig()); // now it has its own and it is in force
        r.prompter.clear();
        QVERIFY(e.session().QueryCloseList());
        QVERIFY(r.prompter.shown.empty());
        // Cancel refuses the closing.
        e.session().SettingsModified = true;
        r.prompter.answers = {MsgButton::Cancel};
        QVERIFY(!e.session().QueryCloseList());
        // Never saving: no question at all, and nothing written.
        e.session().Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        r.prompter.clear();
        QVERIFY(e.session().QueryCloseList());
        QVERIFY(r.prompter.shown.empty());
        // A configuration read from a file of the user's choice is offered for the list.
        e.session().Options.SaveIndividualConfigO = SaveConfigPolicy::Ask;
        e.session().SettingsModified = false;
        e.session().ConfigSource = r.fx.path(QStringLiteral("other.ini"));
        QVERIFY(e.session().OfferToSaveConfig());
    }

    void ownConfigurationIsShownAsItIsRead()
    {
        Rig r;
        r.fx.file(QStringLiteral("d.ini"), "[Options]\r\nHideNote=1\r\n");
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")))}, QStringLiteral("d.sal"));
        QVERIFY(e.session().Settings.HideNote);
        // Read under the busy cursor, and the window follows before any slide is shown.
        QCOMPARE(r.view.settingsLog, (QStringList{QStringLiteral("busy"), QStringLiteral("idle"),
                                                  QStringLiteral("changed")}));
        QVERIFY(r.shown().empty());
        // A list without one reads nothing and leaves the window alone.
        r.view.settingsLog.clear();
        r.load({L::line(r.pic(QStringLiteral("1.png")))}, QStringLiteral("e.sal"));
        QVERIFY(r.view.settingsLog.isEmpty());
    }

    void savedConfigurationReadsBackAndKeepsOtherKeys()
    {
        Rig r;
        const QString ini = r.fx.file(QStringLiteral("c.ini"),
                                      "[Extra]\r\nKeep=yes\r\n[PresSort]\r\nRandomRangeInf=3\r\n");
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")))}, QStringLiteral("c.sal"));
        e.session().Settings.ManualViewing = false;
        e.session().Settings.ImageDelay = 7;
        e.session().Settings.FontNote1.FontName = QStringLiteral("DejaVu Sans");
        QVERIFY(e.session().SavePresentationConfig());
        TNewIniFile back(ini);
        QVERIFY(back.load());
        QCOMPARE(back.ReadString(QStringLiteral("Extra"), QStringLiteral("Keep"), QString()),
                 QStringLiteral("yes"));
        QCOMPARE(back.ReadInteger(QStringLiteral("PresSort"), QStringLiteral("RandomRangeInf"), 0),
                 3); // not a range: left alone
        QCOMPARE(
            back.ReadString(QStringLiteral("NotePanel"), QStringLiteral("ColorStart"), QString()),
            QStringLiteral("-2147483633"));
        PresentationSettings read;
        ReadPresentationSettings(back, read);
        QVERIFY(!read.ManualViewing);
        QCOMPARE(int(read.ImageDelay), 7);
        QCOMPARE(read.FontNote1.FontName, QStringLiteral("DejaVu Sans"));
    }

    void randomOrderCaptionAndSeed()
    {
        Rig r;
        QStringList lines;
        for (int i = 0; i < 5; ++i)
            lines.append(L::line(r.pic(QStringLiteral("p%1.png").arg(i))));
        auto &e = r.load(lines);
        e.session().Settings.PresSort = PresSortMode::Random;
        e.setFixedSeed(0);
        e.RunPresentation(0);
        // Seed 0 over five slides gives 1, 5, 2, 4, 3 (see the order tests' reference).
        QCOMPARE(e.SlideAt(0), 0);
        QCOMPARE(e.SlideAt(1), 4);
        e.command(PendingCommandCode::Next);
        QVERIFY(r.view.caption.startsWith(QStringLiteral("5  2/5  p4  ")));
        QVERIFY(r.view.isEnabled(PlayerAction::A_V_RandomList));
    }

    // Commands served by windows outside the engine: each ends the run, is carried out once
    // with ResumeAfterCommand set, and leaves it cleared whatever the window did.
    void windowCommandsEndTheRunWithResumeSet_data()
    {
        QTest::addColumn<int>("code");
        for (int code : {5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 17})
            QTest::addRow("code %d", code) << code;
    }
    void windowCommandsEndTheRunWithResumeSet()
    {
        QFETCH(int, code);
        Rig r;
        auto &e = r.load(
            {L::line(r.pic(QStringLiteral("1.png"))), L::line(r.pic(QStringLiteral("2.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Next);
        bool resumeSeen = false;
        int positionSeen = -2;
        r.view.onCarryOut = [&](PendingCommandCode) {
            resumeSeen = e.state().ResumeAfterCommand && !e.state().Presenting;
            positionSeen = e.state().Position;
        };
        e.command(PendingCommandCode(code));
        QCOMPARE(r.view.carriedOut, (std::vector<PendingCommandCode>{PendingCommandCode(code)}));
        QVERIFY(resumeSeen);
        QCOMPARE(positionSeen, 1);
        QVERIFY(!e.state().ResumeAfterCommand);
        QVERIFY(!e.state().Presenting);
        // At rest the same command is carried out at once, with nothing to resume.
        r.view.onCarryOut = [&](PendingCommandCode) { resumeSeen = e.state().ResumeAfterCommand; };
        e.command(PendingCommandCode(code));
        QCOMPARE(r.view.carriedOut.size(), std::size_t(2));
        QVERIFY(!resumeSeen);
    }

    // The go-to window resumes the run it interrupted: at the chosen position after OK, where
    // it stopped after Cancel; in manual and in automatic mode.
    void gotoResumesTheInterruptedRun_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<int>("chosen"); // -1 = Cancel
        QTest::addColumn<int>("expected");
        QTest::newRow("manual, OK on slide 4") << true << 3 << 3;
        QTest::newRow("manual, Cancel") << true << -1 << 1;
        QTest::newRow("automatic, OK on slide 1") << false << 0 << 0;
        QTest::newRow("automatic, Cancel") << false << -1 << 1;
    }
    void gotoResumesTheInterruptedRun()
    {
        QFETCH(bool, manual);
        QFETCH(int, chosen);
        QFETCH(int, expected);
        Rig r;
        QStringList lines;
        for (int i = 0; i < 4; ++i)
            lines.append(L::line(r.pic(QStringLiteral("g%1.png").arg(i))));
        auto &e = r.load(lines);
        e.session().Settings.ManualViewing = manual;
        e.RunPresentation(0);
        if (manual)
            e.command(PendingCommandCode::Next);
        else
            r.clock.advance(e.session().Settings.ImageDelay * 1000 + 10);
        QCOMPARE(e.state().Position, 1);
        r.view.onCarryOut = [&](PendingCommandCode code) {
            QCOMPARE(code, PendingCommandCode::Goto);
            e.ResumeAt(chosen < 0 ? e.state().Position
                                  : e.PositionOfSlide(chosen, e.state().Position));
        };
        e.command(PendingCommandCode::Goto);
        QVERIFY(e.state().Presenting);
        QCOMPARE(r.shown().back(), expected);
        QCOMPARE(e.state().Position, expected);
        QVERIFY(!e.state().ResumeAfterCommand);
        // The resumed run goes on from there.
        if (manual)
            e.command(PendingCommandCode::Next);
        else
            r.clock.advance(e.session().Settings.ImageDelay * 1000 + 10);
        if (expected + 1 < 4)
            QCOMPARE(r.shown().back(), expected + 1);
    }

    // In a random order the chosen slide is looked up in the order in force, and the resumed
    // run keeps that order: the slide shown is the one chosen.
    void gotoInARandomOrderLandsOnTheChosenSlide()
    {
        Rig r;
        QStringList lines;
        for (int i = 0; i < 9; ++i)
            lines.append(L::line(r.pic(QStringLiteral("r%1.png").arg(i))));
        auto &e = r.load(lines);
        e.session().Settings.PresSort = PresSortMode::Random;
        e.setFixedSeed(7);
        e.RunPresentation(0);
        const SlideOrder before = e.state().Order;
        // Another seed would give another order if the resumed run built a new one.
        e.setFixedSeed(12345);
        r.view.onCarryOut = [&](PendingCommandCode) {
            e.ResumeAt(e.PositionOfSlide(6, e.state().Position));
        };
        e.command(PendingCommandCode::Goto);
        QCOMPARE(r.shown().back(), 6);
        QCOMPARE(e.SlideAt(e.state().Position), 6);
        QCOMPARE(e.state().Order.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            QCOMPARE(e.state().Order[i].slide, before[i].slide);
        // A slide that is not in the order leaves the position as it was.
        QCOMPARE(e.PositionOfSlide(42, 3), 3);
        // Sequential order: the position is the slide itself.
        e.session().Settings.PresSort = PresSortMode::Sequential;
        QCOMPARE(e.PositionOfSlide(5, 0), 5);
    }

    // Go-to at rest with a random order that was never built: the order is built to look the
    // slide up, and the run starts on it.
    void gotoAtRestStartsOnTheChosenSlide()
    {
        Rig r;
        QStringList lines;
        for (int i = 0; i < 5; ++i)
            lines.append(L::line(r.pic(QStringLiteral("s%1.png").arg(i))));
        auto &e = r.load(lines);
        e.session().Settings.PresSort = PresSortMode::Random;
        e.setFixedSeed(3);
        QVERIFY(e.state().Order.empty());
        const int position = e.PositionOfSlide(2, -1);
        QVERIFY(position >= 0);
        e.ResumeAt(position);
        QVERIFY(e.state().Presenting);
        QCOMPARE(r.shown(), (std::vector<int>{2}));
    }

    void closeDuringARunClosesTheWindow()
    {
        Rig r;
        auto &e = r.load({L::line(r.pic(QStringLiteral("1.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Close);
        QVERIFY(!e.state().Presenting);
        QVERIFY(r.view.closed);
        QVERIFY(r.view.carriedOut.empty());
        QVERIFY(!e.state().ResumeAfterCommand);
    }

    void secondGroupCommandsEndTheRunAndAreCarriedOut()
    {
        Rig r;
        auto &e = r.load(
            {L::line(r.pic(QStringLiteral("1.png"))), L::line(r.pic(QStringLiteral("2.png")))});
        e.RunPresentation(0);
        e.command(PendingCommandCode::Goto);
        QVERIFY(!e.state().Presenting);
        QCOMPARE(r.view.carriedOut, (std::vector<PendingCommandCode>{PendingCommandCode::Goto}));
        // Opening another list: the open dialog, then the new list runs.
        const QString other =
            r.fx.list(QStringLiteral("c.sal"), {L::line(r.pic(QStringLiteral("c.png")))});
        r.view.openAnswer = other;
        e.RunPresentation(0);
        e.command(PendingCommandCode::OpenSAL);
        QCOMPARE(e.session().SlideListPath, other);
        QVERIFY(e.state().Presenting);
        QCOMPARE(e.state().CurrentSlide.FileName, r.fx.path(QStringLiteral("c.png")));
    }
};

QTEST_GUILESS_MAIN(PlayerEngineTest)
#include "PlayerEngineTest.moc"
