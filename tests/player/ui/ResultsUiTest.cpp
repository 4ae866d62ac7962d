#include "config/ui/TFrWriteResults.h"
#include "media/TAdvImage.h"
#include "media/TMPTimerPool.h"
#include "media/ui/TAdvImageNew.h"
#include "player/ResultsWriter.h"
#include "player/ui/TFShowErrWImage.h"
#include "player/ui/TFShowErrWText.h"
#include "player/ui/TFShowImages.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/FakeShell.h"
#include "support/GifTiming.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

TWriteRes sampleRes(const QString &dir)
{
    TWriteRes r;
    r.Write = true;
    r.Dir = dir;
    r.SalPath = true;
    r.Duration = false;
    r.Time = true;
    return r;
}

} // namespace

class ResultsUiTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // --- The results frame ---

    void writingSwitchesTheOtherControls()
    {
        FakePrompter prompter;
        TFrWriteResults frame(prompter);
        QCOMPARE(frame.GB_WriteResults->title(),
                 QStringLiteral("Escriptura dels &resultats dels exercicis/exàmens"));
        const QList<QWidget *> dependent = {
            frame.L_WriteResultsDir, frame.DE_WriteResultsDir, frame.DE_WriteResultsDirBrowse,
            frame.GB_WhatWriteRes,   frame.CB_WriteResSalPath, frame.CB_WriteResDuration,
            frame.CB_WriteResTime};
        for (QWidget *w : dependent)
            QVERIFY(!w->isEnabled());
        frame.CB_WriteResults->click();
        for (QWidget *w : dependent)
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        frame.CB_WriteResults->click();
        for (QWidget *w : dependent)
            QVERIFY(!w->isEnabled());
        // Loading a destination that writes enables them as ticking does.
        LoadFromWriteRes(frame, sampleRes(QStringLiteral("/tmp")));
        QVERIFY(frame.GB_WhatWriteRes->isEnabled() && frame.DE_WriteResultsDir->isEnabled());
    }

    void aFolderOnACdIsRefused()
    {
        FakePrompter prompter;
        TFrWriteResults frame(prompter);
        QStringList asked;
        frame.isOnCD = [&](const QString &folder) {
            asked << folder;
            return folder.startsWith(QLatin1String("/media/cdrom"));
        };
        LoadFromWriteRes(frame, sampleRes(QStringLiteral("/home/anna")));
        frame.chooseFolder = [](const QString &) { return QStringLiteral("/media/cdrom/notes"); };
        frame.DE_WriteResultsDirBrowse->click();
        QCOMPARE(asked, QStringList{QStringLiteral("/media/cdrom/notes")});
        QCOMPARE(frame.DE_WriteResultsDir->text(), QString());
        QCOMPARE(int(prompter.shown.size()), 1);
        QCOMPARE(prompter.shown[0].text, QStringLiteral("No es pot seleccionar un CD"));
        QCOMPARE(prompter.shown[0].kind, MsgKind::Error);

        // Another folder is taken as chosen; a cancelled dialog changes nothing.
        frame.chooseFolder = [](const QString &) { return QStringLiteral("/srv/resultats"); };
        frame.DE_WriteResultsDirBrowse->click();
        QCOMPARE(frame.DE_WriteResultsDir->text(),
                 QDir::toNativeSeparators(QStringLiteral("/srv/resultats")));
        frame.chooseFolder = [](const QString &) { return QString(); };
        frame.DE_WriteResultsDirBrowse->click();
        QCOMPARE(frame.DE_WriteResultsDir->text(),
                 QDir::toNativeSeparators(QStringLiteral("/srv/resultats")));

        // A typed folder is checked when the edit is left.
        frame.DE_WriteResultsDir->setText(QStringLiteral("/media/cdrom"));
        Q_EMIT frame.DE_WriteResultsDir->editingFinished();
        QCOMPARE(frame.DE_WriteResultsDir->text(), QString());
        QCOMPARE(int(prompter.shown.size()), 2);
    }

    // The results folder is chosen on the program's folder dialog, its docked folder tree.
    void theFolderIsChosenOnTheFolderTree()
    {
        FakePrompter prompter;
        TFrWriteResults frame(prompter);
        frame.isOnCD = [](const QString &) { return false; };
        LoadFromWriteRes(frame, sampleRes(QDir::tempPath()));
        QStringList titles;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&titles] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                titles << dialog->windowTitle();
                dialog->reject();
            }
        });
        closer.start(10);
        frame.DE_WriteResultsDirBrowse->click();
        closer.stop();
        QCOMPARE(titles, QStringList{QStringLiteral("Especifica un directori")});
        // Cancelled: the folder stays.
        QCOMPARE(frame.DE_WriteResultsDir->text(), QDir::toNativeSeparators(QDir::tempPath()));
    }

    void loadAndStoreRoundTrip()
    {
        FakePrompter prompter;
        TFrWriteResults frame(prompter);
        const TWriteRes in = sampleRes(QDir::tempPath());
        LoadFromWriteRes(frame, in);
        QVERIFY(frame.CB_WriteResults->isChecked());
        QVERIFY(frame.CB_WriteResSalPath->isChecked());
        QVERIFY(!frame.CB_WriteResDuration->isChecked());
        QVERIFY(frame.CB_WriteResTime->isChecked());
        TWriteRes out;
        StoreToWriteRes(frame, out);
        QCOMPARE(out.Write, in.Write);
        QCOMPARE(out.Dir, in.Dir);
        QCOMPARE(out.SalPath, in.SalPath);
        QCOMPARE(out.Duration, in.Duration);
        QCOMPARE(out.Time, in.Time);

        // The folder is kept without a trailing separator, as it is stored.
        frame.DE_WriteResultsDir->setText(QDir::tempPath() + QStringLiteral("/"));
        StoreToWriteRes(frame, out);
        QCOMPARE(out.Dir, QDir::tempPath());
    }

    void storingWithWritingOnMakesTheDestinationValid()
    {
        FakePrompter prompter;
        TFrWriteResults frame(prompter);
        TWriteRes res = sampleRes(QDir::tempPath());
        res.Write = false;
        LoadFromWriteRes(frame, res);
        StoreToWriteRes(frame, res);
        QVERIFY(!res.Valid);
        QVERIFY(!res.inUse());

        // A folder that was missing at start-up and is set again writes from now on.
        res.disabledForRun = true;
        frame.CB_WriteResults->setChecked(true);
        StoreToWriteRes(frame, res);
        QVERIFY(res.Valid);
        QVERIFY(res.inUse());

        // Unticking later keeps the destination identified but out of use.
        frame.CB_WriteResults->setChecked(false);
        StoreToWriteRes(frame, res);
        QVERIFY(res.Valid);
        QVERIFY(!res.inUse());
    }

    // --- The results command and the end button ---

    void resultsCommandOpensTheUsersFile()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        FakeShell shell;
        w.setShell(shell);
        w.engine().session().Options.Results = sampleRes(fx.dir());
        w.engine().session().UserName = QStringLiteral("anna");
        const QString path =
            ResultsFilePath(w.engine().session().Options.Results, QStringLiteral("anna"));

        w.resultsAction()->trigger();
        QVERIFY(shell.calls.empty());
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(path)});
        QCOMPARE(prompter.shown[0].kind, MsgKind::Error);
        // The command now rides the end button, and the options remember it.
        QCOMPARE(w.endButton()->defaultAction(), w.resultsAction());
        QCOMPARE(w.engine().session().Options.ActionEndIndex, 1);

        fx.file(QStringLiteral("anna.txt"), "09/12/2026\r\n\r\n");
        prompter.clear();
        w.endButton()->click();
        QCOMPARE(shell.paths(FakeShell::Request::OpenInTextEditor), QStringList{path});
        QCOMPARE(int(shell.calls.size()), 1);
        QVERIFY(prompter.shown.empty());

        // A failing editor is reported, not taken for success.
        shell.results = {
            Fallible<void>::failure(QStringLiteral("No s'ha trobat l'arxiu especificat"))};
        w.resultsAction()->trigger();
        QCOMPARE(int(prompter.shown.size()), 1);
        QVERIFY(prompter.shown[0].text.startsWith(
            QStringLiteral("No es pot obrir l'arxiu %1").arg(path)));
        QCOMPARE(
            prompter.shown[0].text,
            QStringLiteral("No es pot obrir l'arxiu %1, ja que: No s'ha trobat l'arxiu especificat")
                .arg(path));
    }

    void endButtonStartsWithTheRememberedCommand()
    {
        FakePrompter prompter;
        for (const bool writing : {true, false}) {
            TFShowImages w(prompter);
            const QList<QAction *> menu = w.endArrow()->menu()->actions();
            QVERIFY(menu.contains(w.resultsAction()) && menu.contains(w.calcTimeAction()));
            // Before any run the time command is disabled, but the menu can still be opened.
            QVERIFY(!w.calcTimeAction()->isEnabled());
            QVERIFY(w.endArrow()->isEnabled());
            QCOMPARE(w.resultsAction()->text(), QStringLiteral("Mostra els resultats"));
            w.engine().session().Options.ActionEndIndex = 1;
            w.engine().session().Options.Results.Write = writing;
            w.startUp(StartupArgs(), false);
            QCOMPARE(w.endButton()->defaultAction(),
                     writing ? w.resultsAction() : w.calcTimeAction());
            QCOMPARE(w.engine().session().Options.ActionEndIndex, writing ? 1 : 0);
        }
    }

    void everyEndIndexPutsItsCommandOnTheButton()
    {
        FakePrompter prompter;
        struct Case
        {
            int stored;
            AccessLevel level;
            int onButton; // index of the command the button carries, and the one written back
        };
        for (const Case c : {Case{2, AccessLevel::Full, 2}, Case{3, AccessLevel::Full, 3},
                             Case{3, AccessLevel::ViewOnly, 0}, Case{7, AccessLevel::Full, 3}}) {
            TFShowImages w(prompter);
            const QList<QAction *> commands{w.calcTimeAction(), w.resultsAction(),
                                            w.randomListAction(), w.hideMainMenuAction()};
            QCOMPARE(w.endArrow()->menu()->actions(), commands);
            w.engine().session().Options.ActionEndIndex = c.stored;
            StartupArgs args;
            args.accessLevel = c.level;
            w.startUp(args, false);
            QCOMPARE(w.endButton()->defaultAction(), commands.at(c.onButton));
            QCOMPARE(w.engine().session().Options.ActionEndIndex, c.onButton);
        }
        // A command chosen from the menu rides the button and is what the options keep.
        TFShowImages w(prompter);
        w.startUp(StartupArgs(), false);
        QVERIFY(w.menuBar()->isVisibleTo(&w));
        w.hideMainMenuAction()->trigger();
        QCOMPARE(w.endButton()->defaultAction(), w.hideMainMenuAction());
        QCOMPARE(w.engine().session().Options.ActionEndIndex, 3);
        QVERIFY(w.engine().session().Options.HideMainMenu);
        QVERIFY(w.hideMainMenuAction()->isChecked());
        QVERIFY(!w.menuBar()->isVisibleTo(&w));
        QCOMPARE(w.hideMainMenuAction()->toolTip(),
                 QStringLiteral("Mostra o amaga (estat actual) el menú principal"));
        w.endButton()->click(); // the button shows the menu again
        QVERIFY(w.menuBar()->isVisibleTo(&w));
        QVERIFY(!w.engine().session().Options.HideMainMenu);
        w.calcTimeAction()->setEnabled(true);
        w.calcTimeAction()->trigger();
        QCOMPARE(w.engine().session().Options.ActionEndIndex, 0);
        QVERIFY(prompter.anyContains(QStringLiteral("La presentació ha durat")));
    }

    // --- The reaction windows ---

    void pictureWindowFitsTheLimitKeepingProportions()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        PresentationSettings s;
        TAdvImage appearance;
        struct Case
        {
            QSize picture;
            bool ampliation;
            QSize limit;
            QSize expected;
        };
        const Case cases[] = {
            {{300, 150}, false, {100, 100}, {100, 50}}, // shrunk to the width
            {{60, 240}, false, {200, 120}, {30, 120}},  // shrunk to the height
            {{40, 20}, false, {500, 500}, {40, 20}},    // fits: its own size
            {{40, 20}, true, {500, 500}, {80, 40}},     // enlarged by the main view's 200 %
            {{200, 100}, true, {300, 300}, {300, 150}}, // enlarged, then shrunk
        };
        for (const Case &c : cases) {
            appearance.AmpliationEnabled = c.ampliation;
            const QString file =
                fx.picture(QStringLiteral("p.png"), c.picture.width(), c.picture.height());
            TFShowErrWImage w(appearance, s, view, prompter, QString());
            QCOMPARE(w.loadPicture(file, QPoint(500, 500), c.limit), QString());
            QCOMPARE(w.size(), c.expected);
            QCOMPARE(w.imageView()->MarkPos(), QPoint(500, 500));
            QCOMPARE(w.imageView()->Image().AmpliationEnabled, c.ampliation);
        }
    }

    void pictureWindowGifStepsOnTheSharedTimer_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("frameMs");
        QTest::newRow("10") << 10 << 100;
        QTest::newRow("2: the 55 ms floor") << 2 << 55;
        QTest::newRow("20") << 20 << 200;
        QTest::newRow("1") << 1 << 55;
        QTest::newRow("6") << 6 << 60;
        QTest::newRow("15") << 15 << 150;
    }
    void pictureWindowGifStepsOnTheSharedTimer()
    {
        QFETCH(int, speed);
        QFETCH(int, frameMs);
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        PresentationSettings s;
        TAdvImage appearance;
        appearance.GIFAnimate = true;
        appearance.GifAnimateSpeed = speed;
        // The frames' own delays do not count.
        const QString gif = fx.file(QStringLiteral("r.gif"), threeFrameGif());

        FakeScheduler clock;
        const std::shared_ptr<TMPTimerPool> pool = TMPTimerPool::shared(clock);
        auto w =
            std::make_unique<TFShowErrWImage>(appearance, s, view, prompter, QString(), &clock);
        QCOMPARE(w->loadPicture(gif, QPoint(-1, -1), QSize(400, 400)), QString());
        QCOMPARE(pool->triggerCount(), 1);
        QCOMPARE(pool->timerIntervalMs(), qint64(frameMs));
        const TAdvImage &img = w->imageView()->Image();
        const FrameSteps steps = stepFrames(clock, img, 7 * frameMs);
        QCOMPARE(steps.times, multiplesOf(frameMs, 7));
        QCOMPARE(steps.frames, (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
        // Closing lets go of the timer.
        w.reset();
        QCOMPARE(pool->triggerCount(), 0);
        QCOMPARE(clock.pendingTimers(), 0);
    }

    void pictureWindowZoomsWithCtrlAndDragUnlessAMarkShows()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        PresentationSettings s;
        TAdvImage appearance;
        const QString file = fx.picture(QStringLiteral("z.png"), 300, 200);
        for (const QPoint mark : {QPoint(-1, -1), QPoint(500, 500)}) {
            TFShowErrWImage w(appearance, s, view, prompter, QString());
            QCOMPARE(w.loadPicture(file, mark, QSize(600, 400)), QString());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            TAdvImageNew *image = w.imageView();
            image->repaint();
            const QRect r = image->Image().pictureRect();
            const QPoint from = r.topLeft() + QPoint(10, 10), to = r.center();
            QTest::mousePress(image, Qt::LeftButton, Qt::ControlModifier, from);
            QMouseEvent move(QEvent::MouseMove, QPointF(to), image->mapToGlobal(QPointF(to)),
                             Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
            QApplication::sendEvent(image, &move);
            QTest::mouseRelease(image, Qt::LeftButton, Qt::ControlModifier, to);
            // Without a mark the selection zooms; with one Ctrl+drag is an ordinary press.
            QCOMPARE(image->Image().Zoomed(), mark.x() == -1);
        }
    }

    void activationPlaysTheTrackAndClosingStopsIt()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        PresentationSettings s;
        TAdvImage appearance;
        QPointer<TFShowErrWImage> w =
            new TFShowErrWImage(appearance, s, view, prompter, QStringLiteral("/so/resposta.wav"));
        QCOMPARE(w->loadPicture(fx.picture(QStringLiteral("r.png"), 50, 40), QPoint(-1, -1),
                                QSize(400, 400)),
                 QString());
        QVERIFY(view.audioLog.isEmpty()); // nothing before the window is active
        showAndActivate(*w);
        QCOMPARE(view.audioLog, QStringList{QStringLiteral("play /so/resposta.wav 0")});

        // Every activation starts it again, once.
        QWidget other;
        showAndActivate(other);
        showAndActivate(*w);
        QCOMPARE(view.audioLog.count(QStringLiteral("play /so/resposta.wav 0")), 2);

        QTest::keyClick(w.data(), Qt::Key_F1);
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral(
                                       "No hi ha ajuda específica.\r\nPrem 'Esc' per tancar la "
                                       "finestra\r\n\r\no amb el ratolí amb la forma habitual.")});
        QVERIFY(w);

        view.audioLog.clear();
        QTest::keyClick(w.data(), Qt::Key_Escape);
        QTRY_VERIFY(w.isNull()); // closing deletes the window
        QCOMPARE(view.audioLog, QStringList{QStringLiteral("stop")});
    }

    void withoutTrackTheSlidesAudioIsLeftUntilTheWindowGoes()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        {
            TFShowErrWText w(FontSettings(), view, prompter, QString());
            QCOMPARE(w.loadText(fx.file(QStringLiteral("t.txt"), "Hola"), QSize(200, 100)),
                     QString());
            showAndActivate(w);
            QVERIFY(view.audioLog.isEmpty());
        }
        // Destroying it stops whatever plays, the slide's own track included.
        QCOMPARE(view.audioLog, QStringList{QStringLiteral("stop")});

        // A window that never showed (its file could not be read) leaves the audio alone.
        view.audioLog.clear();
        {
            TFShowErrWText w(FontSettings(), view, prompter, QStringLiteral("/so/a.wav"));
            QVERIFY(!w.loadText(fx.path(QStringLiteral("cap.txt")), QSize(200, 100)).isEmpty());
        }
        QVERIFY(view.audioLog.isEmpty());
    }

    void textWindowIsTheLimitBoxAndDecodesTheFile()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        FontSettings font;
        font.FontName = QStringLiteral("DejaVu Sans Mono");
        font.FontSize = 15;
        TFShowErrWText w(font, view, prompter, QString());
        // Windows-1252 bytes and CR LF line ends, as the program's text files are.
        const QString file = fx.file(QStringLiteral("reaccio.txt"), "Caf\xe9\r\ni te\r\n");
        QCOMPARE(w.loadText(file, QSize(333, 187)), QString());
        QCOMPARE(w.size(), QSize(333, 187));
        QCOMPARE(w.textView()->toPlainText(), QStringLiteral("Café\ni te\n"));
        QVERIFY(w.textView()->isReadOnly());
        QCOMPARE(w.textView()->font().pointSize(), 15);
        QCOMPARE(w.windowTitle(), QStringLiteral("reaccio.txt"));
    }

    void unreadableFilesAreReported()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        PresentationSettings s;
        TAdvImage appearance;
        const QString missing = fx.path(QStringLiteral("no.png"));
        const QString broken = fx.file(QStringLiteral("trencat.png"), "no és un PNG");
        for (const QString &file : {missing, broken, fx.dir()}) {
            TFShowErrWImage w(appearance, s, view, prompter, QString());
            QCOMPARE(w.loadPicture(file, QPoint(-1, -1), QSize(100, 100)),
                     QStringLiteral("No es pot obrir el fitxer %1").arg(file));
        }
        for (const QString &file : {missing, fx.dir()}) {
            TFShowErrWText w(FontSettings(), view, prompter, QString());
            QCOMPARE(w.loadText(file, QSize(100, 100)),
                     QStringLiteral("No es pot obrir el fitxer %1").arg(file));
        }
    }

    void mainWindowShowsOneReactionAtATime()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        w.engine().session().Settings.PresErrReferent = 1; // the program window
        w.engine().session().Settings.PresErrSizePercent = 50;
        QCOMPARE(w.reactionLimit(), QSize(450, 350));

        // An unreadable file: the message, and no window.
        const QString missing = fx.path(QStringLiteral("cap.txt"));
        w.showReactionText(missing, QString());
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("No es pot obrir el fitxer %1").arg(missing)});
        QVERIFY(!w.reactionWindow());

        w.showReactionText(fx.file(QStringLiteral("r.txt"), "Resposta"), QString());
        QPointer<TFShowErrW> text = w.reactionWindow();
        QVERIFY(text);
        QCOMPARE(text->size(), QSize(450, 350));
        w.showReactionPicture(fx.picture(QStringLiteral("r.png"), 900, 100), 100, 200, QString());
        QVERIFY(text.isNull()); // the previous one went
        auto *picture = qobject_cast<TFShowErrWImage *>(w.reactionWindow());
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(450, 50));
        QCOMPARE(picture->imageView()->MarkPos(), QPoint(100, 200));

        // The screen as referent.
        w.engine().session().Settings.PresErrReferent = 0;
        QCOMPARE(w.reactionLimit(), QSize(qRound(w.screen()->geometry().width() * 0.5),
                                          qRound(w.screen()->geometry().height() * 0.5)));
    }
};

QTEST_MAIN(ResultsUiTest)
#include "ResultsUiTest.moc"
