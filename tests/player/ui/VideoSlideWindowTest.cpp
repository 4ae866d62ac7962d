// AVI and movie slides in the main window: the surface in the image panel's client area with
// the frame where the fitting says, the movie control letterboxed in the panel's colour, the
// replay command, the notes on the bottom panel, cleaning up at every slide change and at the
// end, and videos that cannot be played, which are reported while the run goes on.

#include "player/ui/TFShowImages.h"

#include "files/SystemColors.h"
#include "media/VideoGeometry.h"
#include "media/ui/TQTMovie.h"
#include "media/ui/VideoBackend.h"
#include "media/ui/VideoFrameGrabber.h"
#include "media/ui/VideoSurface.h"
#include "player/ui/VideoSlideView.h"
#include "slides/ui/SlideArea.h"
#include "support/FakePrompter.h"
#include "support/MainThreadWatchdog.h"
#include "support/SlideListFixture.h"
#include "support/VideoFixtures.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int kWaitMs = 20000;

StartupArgs argsFor(const QString &file)
{
    StartupArgs a;
    a.fileArgument = file;
    return a;
}

// The window grabbed, with `r` of `widget` in the window's coordinates.
QImage grabWindow(TFShowImages &w, QWidget *widget, QRect &r)
{
    r.moveTopLeft(widget->mapTo(&w, r.topLeft()));
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void saveShot(TFShowImages &w, const QString &name)
{
    const QString shots = qEnvironmentVariable("PELVAR_TEST_SHOTS");
    if (shots.isEmpty())
        return;
    QDir().mkpath(shots);
    w.grab().save(QDir(shots).filePath(name));
}

bool showsAMessageStartingWith(const FakePrompter &p, const QString &start)
{
    for (const QString &t : p.texts())
        if (t.startsWith(start))
            return true;
    return false;
}

} // namespace

class VideoSlideWindowTest : public QObject
{
    Q_OBJECT

    SlideListFixture m_fx;
    QString m_avi, m_mov, m_png, m_textAvi, m_emptyMov;
    QImage m_reference;

    void start(TFShowImages &w, const QString &list)
    {
        w.resize(900, 700);
        showAndActivate(w);
        w.startUp(argsFor(list), false);
        QVERIFY(w.engine().session().PresentationReady);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.engine().state().Presenting);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(VideoFixtures::available());
        m_avi = m_fx.path(QStringLiteral("clip.avi"));
        m_mov = m_fx.path(QStringLiteral("pel·lícula.mov"));
        QVERIFY(VideoFixtures::testPattern(m_avi));
        QVERIFY(VideoFixtures::testPattern(m_mov));
        m_png = m_fx.picture(QStringLiteral("final.png"), 64, 48);
        m_textAvi = m_fx.file(QStringLiteral("text.avi"), "No sóc cap vídeo.\r\n");
        m_emptyMov = m_fx.file(QStringLiteral("buit.mov"), QByteArray());
        m_reference = VideoFixtures::referenceFrame(m_avi);
        QVERIFY(!m_reference.isNull());
        const Fallible<QImage> frame = VideoFrameGrabber::firstFrame(m_avi, kWaitMs);
        if (!frame.ok())
            QSKIP(qPrintable(QStringLiteral("The media backend cannot decode a Motion JPEG AVI: ") +
                             frame.error()));
    }

    void anAviAndAMoviePlayInTheImagePanel()
    {
        const QString list = m_fx.list(
            QStringLiteral("videos.sal"),
            {SlideListFixture::line(m_avi, QStringLiteral("L"), QStringLiteral("Un vídeo"),
                                    QStringLiteral("amb nota")),
             SlideListFixture::line(m_mov), SlideListFixture::line(m_png)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, list);
        SlideArea *area = w.slideArea();
        VideoSlideView &view = w.videoView();
        QAction *play = w.action(PlayerAction::A_V_Play);

        // --- The AVI ---
        QCOMPARE(view.showing(), VideoSlideView::Showing::Video);
        QVERIFY(play->isVisible());
        QVERIFY(play->isEnabled());
        QVERIFY(!w.action(PlayerAction::A_I_ShowNameAndNote)->isEnabled());
        // The notes go to the bottom panel, whatever position the line gives.
        QCOMPARE(area->paragraph1(), QStringLiteral("Un vídeo"));
        QCOMPARE(area->scene().noteDock(), SlideScene::Dock::Bottom);
        VideoSurface *surface = view.surface();
        QCOMPARE(area->contentView(), surface);
        QVERIFY(surface->isVisible());
        QCOMPARE(surface->geometry(), area->contentRect(SlideArea::ContentPlace::PanelClient));
        QVERIFY(surface->geometry().bottom() < area->currentLayout().notePanel.top());
        // The video is the audio in use.
        QVERIFY(!w.slideAudio().AudioByPlugin);

        QSignalSpy painted(surface, &VideoSurface::framePainted);
        QTRY_VERIFY_WITH_TIMEOUT(painted.count() > 0, kWaitMs);
        const PresentationSettings &s = w.session().Settings;
        QCOMPARE(surface->displayRect(),
                 VideoGeometry::FitVideo(QSize(320, 240), s.ImgAmpliationEnabled, s.ImgAmpliation,
                                         surface->size()));
        QRect drawn = surface->displayRect();
        QImage shot = grabWindow(w, surface, drawn);
        QVERIFY(VideoFixtures::matchingBars(shot, drawn, m_reference) >= 7);
        saveShot(w, QStringLiteral("video-avi.png"));

        // A smaller window: the video is fitted again, smaller than its natural size.
        const QRect before = surface->displayRect();
        w.resize(480, 320);
        QTRY_COMPARE_WITH_TIMEOUT(surface->geometry(),
                                  area->contentRect(SlideArea::ContentPlace::PanelClient), kWaitMs);
        QCOMPARE(surface->displayRect(),
                 VideoGeometry::FitVideo(QSize(320, 240), s.ImgAmpliationEnabled, s.ImgAmpliation,
                                         surface->size()));
        QVERIFY(surface->displayRect() != before);
        QVERIFY(surface->displayRect().height() < 240);
        w.resize(900, 700);
        QTRY_COMPARE_WITH_TIMEOUT(surface->displayRect(), before, kWaitMs);

        // Ampliation switched on while the video plays: enlarged at once.
        w.session().Settings.ImgAmpliationEnabled = true;
        w.session().Settings.ImgAmpliation = 150;
        w.settingsChanged();
        QCOMPARE(surface->displayRect().size(), QSize(480, 360));

        // Replay: from the beginning, playing.
        view.videoPlayer()->pause();
        play->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(view.videoPlayer()->playbackState(), QMediaPlayer::PlayingState,
                                  kWaitMs);

        // --- The movie ---
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(view.showing(), VideoSlideView::Showing::Movie);
        QVERIFY(!surface->isVisible());
        QVERIFY(view.videoPlayer()->source().isEmpty());
        QVERIFY(play->isEnabled());
        QPointer<TQTMovie> movie = view.movie();
        QVERIFY(movie);
        QCOMPARE(area->contentView(), movie.data());
        QCOMPARE(movie->geometry(), area->contentRect(SlideArea::ContentPlace::Panel));
        const QColor panelColour = colorFromTColor(s.ImagePanel.ColorStart, area->palette());
        QCOMPARE(movie->Color(), panelColour);
        QVERIFY(movie->KeepScale());
        QCOMPARE(movie->FileName(), m_mov);
        QSignalSpy moviePainted(movie.data(), &TQTMovie::framePainted);
        QTRY_VERIFY_WITH_TIMEOUT(moviePainted.count() > 0, kWaitMs);
        const VideoGeometry::MovieBox box = movie->movieBox();
        QVERIFY(!box.band1.isEmpty());
        QRect boxInWindow = box.box;
        shot = grabWindow(w, movie.data(), boxInWindow);
        QVERIFY(VideoFixtures::matchingBars(shot, boxInWindow, m_reference) >= 7);
        const QPoint inBand = movie->mapTo(&w, box.band1.center());
        QVERIFY(VideoFixtures::near(shot.pixelColor(inBand), panelColour));
        saveShot(w, QStringLiteral("video-mov.png"));

        // Replay: stopped, rewound and started again.
        play->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(movie->isPlaying(), kWaitMs);

        // --- A picture: the movie is freed and the command disabled ---
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(!movie);
        QCOMPARE(view.showing(), VideoSlideView::Showing::Nothing);
        QVERIFY(!play->isEnabled());
        QVERIFY(w.action(PlayerAction::A_I_ShowNameAndNote)->isEnabled());
        QCOMPARE(area->content(), SlideArea::Content::Picture);
        QVERIFY(!area->contentView());

        // Back to the AVI, then the end of the run takes it away.
        QTest::keyClick(&w, Qt::Key_Home);
        QCOMPARE(view.showing(), VideoSlideView::Showing::Video);
        QTRY_VERIFY_WITH_TIMEOUT(surface->hasFrame(), kWaitMs);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
        QCOMPARE(view.showing(), VideoSlideView::Showing::Nothing);
        QVERIFY(!surface->isVisible());
        QVERIFY(!surface->hasFrame());
        // The player lets go of the file once no player is opening one (on a slow machine the
        // movie's may still be).
        QTRY_VERIFY_WITH_TIMEOUT(view.videoPlayer()->source().isEmpty(), kWaitMs);
        QVERIFY(!play->isEnabled());
        QVERIFY(!play->isVisible());
        QVERIFY2(prompter.shown.empty(), qPrintable(prompter.texts().join(QLatin1Char('\n'))));
    }

    // Slides changed while the video is still being opened (a viewer pressing on, an automatic
    // run on a short timing): the media backend must never be asked to drop a video it is still
    // opening, which deadlocked it; the window keeps answering and the last video shown plays.
    void quickSlideChangesNeverBlockTheWindow()
    {
        const QString other = m_fx.path(QStringLiteral("altre.avi"));
        QVERIFY(QFile::copy(m_avi, other));
        QStringList lines;
        for (int i = 0; i < 6; ++i)
            lines << SlideListFixture::line(i % 2 ? other : m_avi) << SlideListFixture::line(m_png)
                  << SlideListFixture::line(m_mov);
        const QString list = m_fx.list(QStringLiteral("de-pressa.sal"), lines);
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, list);
        w.engine().session().Settings.LoopImages = true;
        VideoSlideView &view = w.videoView();
        // The backend's own sign of a video dropped while it was being opened: its video sink
        // gives up waiting for the window's thread.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("main thread blocked")));
        MainThreadWatchdog watchdog(std::chrono::seconds(30), "changing video slides");
        QRandomGenerator random(20261211);
        const int rounds = qEnvironmentVariableIntValue("PELVAR_VIDEO_ROUNDS") > 0
                               ? qEnvironmentVariableIntValue("PELVAR_VIDEO_ROUNDS")
                               : 150;
        for (int i = 0; i < rounds; ++i) {
            watchdog.beat();
            QTest::qWait(int(random.bounded(25)));
            w.action(i % 7 == 3 ? PlayerAction::A_V_Prior : PlayerAction::A_V_InitNext)->trigger();
            QVERIFY(w.engine().state().Presenting);
        }
        // Settle on a video: it plays, and its frames reach the surface.
        for (int i = 0; i < 3 && view.showing() != VideoSlideView::Showing::Video; ++i)
            w.action(PlayerAction::A_V_InitNext)->trigger();
        QCOMPARE(view.showing(), VideoSlideView::Showing::Video);
        watchdog.beat();
        QTRY_VERIFY_WITH_TIMEOUT(view.surface()->hasFrame(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(view.videoPlayer()->playbackState(), QMediaPlayer::PlayingState,
                                  kWaitMs);
        const QString shown = w.engine().state().CurrentSlide.FileName;
        QCOMPARE(QFileInfo(view.videoPlayer()->source().toLocalFile()).fileName(),
                 QFileInfo(shown).fileName());
        // And a picture after it takes the video away for good.
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QCOMPARE(view.showing(), VideoSlideView::Showing::Nothing);
        QTRY_VERIFY_WITH_TIMEOUT(view.videoPlayer()->source().isEmpty(), kWaitMs);
        QVERIFY2(prompter.shown.empty(), qPrintable(prompter.texts().join(QLatin1Char('\n'))));
    }

    void aMovieOnlyListOffersTheReplay()
    {
        const QString list =
            m_fx.list(QStringLiteral("pel·lícula.sal"), {SlideListFixture::line(m_mov)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        QAction *separator = w.action(u"TB_SepWeb");
        QVERIFY(separator);
        QVERIFY(!w.action(PlayerAction::A_V_Play)->isVisible());
        QVERIFY(!separator->isVisible());
        start(w, list);
        QVERIFY(w.action(PlayerAction::A_V_Play)->isVisible());
        QVERIFY(w.action(PlayerAction::A_V_Play)->isEnabled());
        // The button is set apart from the end menu even without the web commands.
        QVERIFY(separator->isVisible());
        QVERIFY(!w.action(u"A_W_Home")->isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!separator->isVisible());
    }

    void videosThatCannotPlayAreReportedAndTheRunGoesOn()
    {
        const QString list =
            m_fx.list(QStringLiteral("dolents.sal"),
                      {SlideListFixture::line(m_textAvi), SlideListFixture::line(m_emptyMov),
                       SlideListFixture::line(m_textAvi), SlideListFixture::line(m_png)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, list);
        // The backend tells later; the message names the file and gives the backend's reason.
        const QString aviMessage = VideoSlideView::cannotPlayMessage(m_textAvi, QString());
        QTRY_VERIFY_WITH_TIMEOUT(showsAMessageStartingWith(prompter, aviMessage), kWaitMs);
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QCOMPARE(prompter.shown.front().kind, MsgKind::Error);
        QVERIFY(prompter.shown.front().text.size() > aviMessage.size());
        QVERIFY(w.engine().state().Presenting);
        prompter.clear();

        // An empty movie is known at once.
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(prompter.texts(),
                 QStringList({VideoSlideView::cannotPlayMessage(
                     m_emptyMov, QStringLiteral("Error reading movie from file"))}));
        QVERIFY(w.engine().state().Presenting);
        prompter.clear();

        // Left before the backend has told: nothing is said about a video no longer shown.
        QTest::keyClick(&w, Qt::Key_Space);
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QTest::qWait(1500);
        QVERIFY2(prompter.shown.empty(), qPrintable(prompter.texts().join(QLatin1Char('\n'))));
        QVERIFY(w.engine().state().Presenting);
    }

    void withoutAVideoPlayerEachSlideSaysSoOnce()
    {
        VideoBackend::setAvailableForTesting(false);
        const auto restore = qScopeGuard([] { VideoBackend::setAvailableForTesting({}); });
        const QString list =
            m_fx.list(QStringLiteral("sense.sal"),
                      {SlideListFixture::line(m_avi), SlideListFixture::line(m_mov),
                       SlideListFixture::line(m_png)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, list);
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QVERIFY(prompter.texts().front().startsWith(
            VideoSlideView::cannotPlayMessage(m_avi, QString())));
        w.action(PlayerAction::A_V_Play)->trigger(); // nothing to replay, nothing said
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(prompter.shown.size(), std::size_t(2));
        QVERIFY(prompter.texts().back().startsWith(
            VideoSlideView::cannotPlayMessage(m_mov, QString())));
        w.action(PlayerAction::A_V_Play)->trigger();
        QCOMPARE(prompter.shown.size(), std::size_t(2));
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QVERIFY(w.engine().state().Presenting);
    }
};

QTEST_MAIN(VideoSlideWindowTest)
#include "VideoSlideWindowTest.moc"
