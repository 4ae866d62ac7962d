#include "player/ui/TFShowImages.h"

#include "slides/ui/SlideArea.h"
#include "support/FakeMediaTrackPlayer.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

namespace {

// Two pictures painted here and a title slide.
struct ShowFixture
{
    SlideListFixture fx;
    QString first, second, list;

    ShowFixture()
    {
        QImage a(300, 150, QImage::Format_RGB32);
        a.fill(QColor(200, 30, 30));
        first = fx.path(QStringLiteral("vermell.png"));
        a.save(first, "PNG");
        QImage b(120, 160, QImage::Format_RGB32);
        b.fill(QColor(30, 30, 200));
        second = fx.path(QStringLiteral("blau.png"));
        b.save(second, "PNG");
        list = fx.list(
            QStringLiteral("show.sal"),
            {SlideListFixture::line(first, QStringLiteral("L"), QStringLiteral("Vermell"),
                                    QStringLiteral("Una nota|en dues línies")),
             SlideListFixture::line(second, QStringLiteral(""), QStringLiteral("Blau"),
                                    QStringLiteral("")),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Final"),
                                    QStringLiteral("Fins aviat"))});
    }
};

StartupArgs argsFor(const QString &file)
{
    StartupArgs a;
    a.fileArgument = file;
    return a;
}

void showWindow(TFShowImages &w)
{
    w.resize(900, 700);
    showAndActivate(w);
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stepsThroughAListWithKeys()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Seqüenciador de diapositives"));
        QVERIFY(!w.action(PlayerAction::A_V_InitNext)->isEnabled());

        // A list on the command line is loaded but not started.
        w.startUp(argsFor(show.list), false);
        QVERIFY(w.engine().session().PresentationReady);
        QVERIFY(!w.engine().state().Presenting);
        QCOMPARE(w.windowTitle(), show.list);
        QVERIFY(w.action(PlayerAction::A_V_InitNext)->isEnabled());

        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.engine().state().Presenting);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));
        QCOMPARE(w.slideArea()->paragraph2(), QStringLiteral("Una nota\nen dues línies"));
        QCOMPARE(w.slideArea()->notePos(), NotePosition::Left);
        QVERIFY(w.windowTitle().contains(QStringLiteral("vermell")));
        QVERIFY(w.windowTitle().contains(QStringLiteral("100%")));
        QCOMPARE(w.action(PlayerAction::A_V_InitNext)->text(), QStringLiteral("A la següent"));
        QVERIFY(w.action(PlayerAction::A_V_Stop)->isEnabled());

        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Blau"));
        QCOMPARE(w.slideArea()->notePos(), NotePosition::Bottom);
        QVERIFY(w.windowTitle().contains(QStringLiteral("blau")));

        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Title);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Final"));

        QTest::keyClick(&w, Qt::Key_Backspace);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Blau"));
        QTest::keyClick(&w, Qt::Key_Home);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));

        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Empty);
        QCOMPARE(w.windowTitle(), show.list);
        QCOMPARE(w.action(PlayerAction::A_V_InitNext)->text(),
                 QStringLiteral("Inicia la reproducció"));
        QVERIFY(!w.action(PlayerAction::A_V_Stop)->isEnabled());
        QVERIFY(prompter.shown.empty());

        // The picture on screen is where the slide area says, in its colour.
        w.action(PlayerAction::A_V_InitNext)->trigger();
        const QSize size = w.slideArea()->size();
        const QImage shot = w.slideArea()->renderToImage(size);
        const QRect pic = w.slideArea()->layoutFor(size, &shot).picture;
        QVERIFY(!pic.isEmpty());
        QCOMPARE(QColor(shot.pixel(pic.center())), QColor(200, 30, 30));
        QCOMPARE(QColor(shot.pixel(pic.left() - 3, pic.center().y())),
                 w.slideArea()->palette().color(QPalette::Button));
        QTest::keyClick(&w, Qt::Key_Escape);
    }

    void escapeWithStopDisabledAsksFirst()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        w.startUp(argsFor(show.list), true);
        QVERIFY(w.engine().state().Presenting);
        // With the stop command off, Esc reaches the window, which asks; No keeps the run.
        w.action(PlayerAction::A_V_Stop)->setEnabled(false);
        prompter.answers.push_back(MsgButton::No);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(prompter.anyContains(QStringLiteral("Voleu interrompre la seqüència?")));
        QVERIFY(w.engine().state().Presenting);
        prompter.answers.push_back(MsgButton::Yes);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
    }

    void automaticRunPausesWithSpace()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        w.startUp(argsFor(show.list), false);
        w.engine().session().Settings.ManualViewing = false;
        w.engine().session().Settings.ImageDelay =
            1000; // no slide changes by itself during the test
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.engine().state().Presenting);
        QCOMPARE(w.action(PlayerAction::A_V_InitNext)->text(),
                 QStringLiteral("Pausa la reproducció"));
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(w.engine().state().Paused);
        QCOMPARE(w.action(PlayerAction::A_V_InitNext)->text(), QStringLiteral("A la següent"));
        QVERIFY(!w.action(PlayerAction::A_V_Stop)->isEnabled());
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(!w.engine().state().Paused);
        QVERIFY(w.action(PlayerAction::A_V_Stop)->isEnabled());
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));
        w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(!w.engine().state().Presenting);
    }

    void runWithoutMenusStepsWithTheMouse()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        w.startUp(argsFor(show.list), false);
        w.engine().session().Settings.WithoutMenuOrButtons = true;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(!w.menuBar()->isVisible());
        QVERIFY(!w.toolBar()->isVisible());

        QTest::mouseClick(w.slideArea(), Qt::RightButton);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Blau"));
        QTest::mouseClick(w.slideArea(), Qt::LeftButton);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));

        // Shortcuts still work with the menus hidden.
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
        QVERIFY(w.menuBar()->isVisible());
        QVERIFY(w.toolBar()->isVisible());

        // At rest, and with the menus shown during a run, the mouse does not step.
        w.engine().session().Settings.WithoutMenuOrButtons = false;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QTest::mouseClick(w.slideArea(), Qt::RightButton);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));
        w.action(PlayerAction::A_V_Stop)->trigger();
    }

    // rest → playing → paused → playing → stopped: the start command's caption and hint and
    // what can be stepped to.
    void commandsFollowTheRunStates()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        w.startUp(argsFor(show.list), false);
        PresentationSettings &s = w.engine().session().Settings;
        s.ManualViewing = false;
        s.ImageDelay = 0; // half a second
        QAction *init = w.action(PlayerAction::A_V_InitNext);
        QAction *stop = w.action(PlayerAction::A_V_Stop);
        QAction *first = w.action(PlayerAction::A_V_First);
        QAction *prior = w.action(PlayerAction::A_V_Prior);
        QAction *manual = w.action(PlayerAction::A_V_Manual);
        const auto stepping = [&] {
            return QString::number(int(stop->isEnabled())) + QString::number(first->isEnabled()) +
                   QString::number(prior->isEnabled());
        };
        QCOMPARE(init->toolTip(), QStringLiteral("Comença a mostrar la presentació"));
        QCOMPARE(stepping(), QStringLiteral("000"));

        init->trigger();
        QCOMPARE(init->text(), QStringLiteral("Pausa la reproducció"));
        QCOMPARE(init->toolTip(), QStringLiteral("Pausa la reproducció automàtica"));
        QCOMPARE(stepping(), QStringLiteral("100"));
        QVERIFY(!manual->isEnabled());

        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(init->text(), QStringLiteral("A la següent"));
        QCOMPARE(init->toolTip(), QStringLiteral("Diapositiva següent"));
        QCOMPARE(stepping(), QStringLiteral("000"));
        // The slide's wait runs out into the pause, which the caption tells.
        QTRY_VERIFY(w.windowTitle().contains(QStringLiteral("(pausat; Barra=continua)")));
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));

        // The pause ends on the next slide: it can be stepped back from now.
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Blau"));
        QVERIFY(!w.windowTitle().contains(QStringLiteral("pausat")));
        QCOMPARE(init->text(), QStringLiteral("Pausa la reproducció"));
        QCOMPARE(stepping(), QStringLiteral("111"));

        stop->trigger();
        QCOMPARE(init->text(), QStringLiteral("Inicia la reproducció"));
        QCOMPARE(init->toolTip(), QStringLiteral("Comença a mostrar la presentació"));
        QCOMPARE(stepping(), QStringLiteral("000"));
        QVERIFY(manual->isEnabled());
        QVERIFY(w.action(PlayerAction::A_V_CalcTime)->isEnabled());

        // Looping, the first slide can be stepped back from too (to the last).
        s.LoopImages = true;
        init->trigger();
        QCOMPARE(stepping(), QStringLiteral("101"));
        stop->trigger();
        QVERIFY(prompter.shown.empty());
    }

    void mouseStepsOnlyManualRunsOutsideExams()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        w.startUp(argsFor(show.list), false);
        PresentationSettings &s = w.engine().session().Settings;
        s.WithoutMenuOrButtons = true;
        s.ShowingModel = ShowingMode::Learning;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QTest::mouseClick(w.slideArea(), Qt::RightButton);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Blau"));
        QTest::mouseClick(w.slideArea(), Qt::LeftButton);
        QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));
        QTest::keyClick(&w, Qt::Key_Escape);

        for (const bool exam : {true, false}) {
            s.ShowingModel = exam ? ShowingMode::Exam : ShowingMode::Plain;
            s.ManualViewing = exam;
            s.ImageDelay = 1000;
            w.action(PlayerAction::A_V_InitNext)->trigger();
            QTest::mouseClick(w.slideArea(), Qt::RightButton);
            QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(!w.engine().state().Presenting);
        }
    }

    // With "No reprodueix les pistes d'àudio" on, the slides' tracks are not started.
    void noAudioPlayKeepsTracksSilent()
    {
        SlideListFixture fx;
        const QString wav = fx.file(QStringLiteral("so.wav"), "RIFF");
        const QString list =
            fx.list(QStringLiteral("so.sal"),
                    {SlideListFixture::line(fx.picture(QStringLiteral("a.png")), QString(),
                                            QString(), QString(), QString(), wav),
                     SlideListFixture::line(fx.picture(QStringLiteral("b.png")), QString(),
                                            QString(), QString(), QString(), wav)});
        FakePrompter prompter;
        FakeMediaTrackPlayer media;
        TFShowImages w(prompter);
        w.setMediaTrackPlayer(media);
        showWindow(w);
        w.startUp(argsFor(list), false);
        QAction *silence = w.action(u"A_A_NoAudioPlay");
        silence->trigger();
        QVERIFY(silence->isChecked());
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(!media.calls.join(u' ').contains(QStringLiteral("open")));
        QVERIFY(w.slideAudioPath().isEmpty());
        // Switched off during the run, the next slide's track starts.
        silence->trigger();
        QTest::keyClick(&w, Qt::Key_Home);
        QVERIFY(media.calls.contains(QStringLiteral("open %1 auto 0").arg(wav)));
        QCOMPARE(w.slideAudioPath(), wav);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(prompter.shown.empty());
    }

    void closingDuringARunEndsItFirst()
    {
        ShowFixture show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        w.startUp(argsFor(show.list), true);
        QVERIFY(w.engine().state().Presenting);
        // The list has no configuration of its own: closing offers one; No closes without it.
        prompter.answers = {MsgButton::No};
        w.close();
        QVERIFY(!w.engine().state().Presenting);
        QVERIFY(!w.isVisible());
        QVERIFY(prompter.anyContains(QStringLiteral("Voleu desar la configuració (arxiu ini) de")));
    }

    void startUpArguments()
    {
        ShowFixture show;
        {
            // The argument's extension is replaced by ".sal"; --play shows the first slide.
            FakePrompter prompter;
            TFShowImages w(prompter);
            showWindow(w);
            w.startUp(argsFor(show.fx.path(QStringLiteral("show.wml"))), true);
            QVERIFY(w.engine().state().Presenting);
            QCOMPARE(w.engine().session().SlideListPath, show.list);
            QCOMPARE(w.slideArea()->paragraph1(), QStringLiteral("Vermell"));
            w.action(PlayerAction::A_V_Stop)->trigger();
        }
        {
            FakePrompter prompter;
            TFShowImages w(prompter);
            showWindow(w);
            StartupArgs args = argsFor(show.fx.path(QStringLiteral("absent.sal")));
            args.accessLevel = AccessLevel::ViewOnly;
            w.startUp(args, true);
            QCOMPARE(w.engine().session().AccessLevel, AccessLevel::ViewOnly);
            QVERIFY(!w.engine().session().PresentationReady);
            QVERIFY(!w.engine().state().Presenting);
            QCOMPARE(prompter.texts(),
                     QStringList{QStringLiteral("No s'ha trobat l'arxiu '%1'")
                                     .arg(show.fx.path(QStringLiteral("absent.sal")))});
            QCOMPARE(w.windowTitle(), QStringLiteral("Seqüenciador de diapositives"));
        }
        {
            // A table with no list of its name beside it is loaded without a word.
            const QString words = show.fx.file(QStringLiteral("paraules.wml"),
                                               "gat\tanimal que miola\r\ngos\tanimal\r\n");
            FakePrompter prompter;
            TFShowImages w(prompter);
            showWindow(w);
            w.startUp(argsFor(words), true);
            QVERIFY(prompter.shown.empty());
            QCOMPARE(w.engine().session().WordTable.fileName, words);
            QCOMPARE(w.engine().session().WordTable.table.recordCount(), 2);
            QVERIFY(!w.engine().session().PresentationReady);
            QVERIFY(!w.engine().state().Presenting);
            QCOMPARE(w.engine().session().Options.AutomaticInit, AutomaticInitMode::Nothing);
            QCOMPARE(w.windowTitle(), QStringLiteral("Seqüenciador de diapositives"));
        }
    }

    void ownSettingsShowAtOnceAndStartUpKeepsTheTitleBar()
    {
        ShowFixture show;
        show.fx.file(QStringLiteral("show.ini"),
                     "[Options]\r\nHideNote=1\r\n[Presentation]\r\nWithoutCaption=1\r\n");
        FakePrompter prompter;
        TFShowImages w(prompter);
        showWindow(w);
        // Opened, not started: the list's own settings are on the commands already.
        w.startUp(argsFor(show.list), false);
        QVERIFY(w.engine().session().Settings.HideNote);
        QVERIFY(w.hideNoteAction()->isChecked());
        QVERIFY(w.hideNoteAction()->toolTip().contains(QStringLiteral("Amaga (estat actual) o")));
        // A run the viewer starts drops the title bar; the end of the run gives it back.
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.engine().state().Presenting);
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(!(w.windowFlags() & Qt::FramelessWindowHint));

        // A run started with the program keeps it.
        FakePrompter prompter2;
        TFShowImages started(prompter2);
        showWindow(started);
        started.startUp(argsFor(show.list), true);
        QVERIFY(started.engine().state().Presenting);
        QVERIFY(!(started.windowFlags() & Qt::FramelessWindowHint));
        started.action(PlayerAction::A_V_Stop)->trigger();
    }

    void launchFailureIsReported()
    {
        FakePrompter prompter;
        TFShowImages w(prompter);
        SlideListFixture fx;
        SlideRecord program;
        program.Kind = skProgram;
        program.FileName = fx.path(QStringLiteral("absent.exe"));
        w.launch(program);
        QCOMPARE(prompter.texts(),
                 QStringList{
                     QStringLiteral(
                         "No es pot obrir l'arxiu %1, ja que: No s'ha trobat l'arxiu especificat")
                         .arg(QStringLiteral("absent.exe"))});
        SlideRecord document;
        document.Kind = skDocument;
        document.PromptOr1stLine = fx.path(QStringLiteral("absent.txt"));
        w.launch(document);
        QCOMPARE(int(prompter.shown.size()), 2);
        QVERIFY(prompter.shown[1].text.startsWith(
            QStringLiteral("No es pot obrir l'arxiu %1, ja que: ").arg(document.PromptOr1stLine)));
        QCOMPARE(prompter.shown[1].kind, MsgKind::Error);
    }

    void launchAndEditGoThroughTheShell()
    {
        FakePrompter prompter;
        TFShowImages w(prompter);
        FakeShell shell;
        w.setShell(shell);
        SlideListFixture fx;
        // A program starts in its own folder with the slide's line split into arguments.
        SlideRecord program;
        program.Kind = skProgram;
        program.FileName = fx.path(QStringLiteral("eines/calc"));
        program.PromptOr1stLine = QStringLiteral("-a \"dos mots\"");
        w.launch(program);
        QCOMPARE(int(shell.calls.size()), 1);
        QCOMPARE(shell.calls[0].request, FakeShell::Request::StartProgram);
        QCOMPARE(shell.calls[0].path, fx.path(QStringLiteral("eines/calc")));
        QCOMPARE(shell.calls[0].arguments,
                 (QStringList{QStringLiteral("-a"), QStringLiteral("dos mots")}));
        QCOMPARE(shell.calls[0].folder, fx.path(QStringLiteral("eines")));
        QVERIFY(prompter.shown.empty());

        // The shell's reason goes into the window's sentence, with the document as the slide has
        // it.
        SlideRecord document;
        document.Kind = skDocument;
        document.PromptOr1stLine = fx.path(QStringLiteral("carta.odt"));
        shell.results = {Fallible<void>::failure(
            QStringLiteral("No hi ha cap aplicació associada amb l'extensió de l'arxiu"))};
        w.launch(document);
        QCOMPARE(shell.paths(FakeShell::Request::OpenDocument),
                 QStringList{document.PromptOr1stLine});
        QCOMPARE(
            prompter.texts(),
            QStringList{QStringLiteral("No es pot obrir l'arxiu %1, ja que: No hi ha cap aplicació "
                                       "associada amb l'extensió de l'arxiu")
                            .arg(document.PromptOr1stLine)});

        // Editing the list opens it in the text editor; a list not on disk is not asked for.
        prompter.clear();
        w.engine().session().SlideListPath = fx.path(QStringLiteral("absent.sal"));
        w.carryOutCommand(PendingCommandCode::EditSAL);
        QVERIFY(shell.paths(FakeShell::Request::OpenInTextEditor).isEmpty());
        w.engine().session().SlideListPath = fx.file(QStringLiteral("llista.sal"), "");
        w.carryOutCommand(PendingCommandCode::EditSAL);
        QCOMPARE(shell.paths(FakeShell::Request::OpenInTextEditor),
                 QStringList{w.engine().session().SlideListPath});
        QVERIFY(prompter.shown.empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
