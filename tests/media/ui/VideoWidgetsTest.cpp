// The video surface and the movie control on real files made by ffmpeg and played by the media
// backend: frames drawn where the fitting says, the letterbox bands, sound-only movies, the end
// of a movie with and without looping, a missing player, and files that cannot be played.

#include "media/VideoGeometry.h"
#include "media/ui/TQTMovie.h"
#include "media/ui/VideoBackend.h"
#include "media/ui/VideoFrameGrabber.h"
#include "media/ui/VideoSurface.h"
#include "support/VideoFixtures.h"

#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

constexpr int kWaitMs = 20000;

// Every pixel of `image` at the sampled points is `colour`.
bool allOf(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (!VideoFixtures::near(image.pixelColor(x, y), colour))
                return false;
    return true;
}

} // namespace

class VideoWidgetsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_avi, m_mov, m_sound, m_textMov, m_emptyMov;
    QImage m_reference;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(VideoFixtures::available());
        m_avi = path(QStringLiteral("patró.avi"));
        m_mov = path(QStringLiteral("patró.mov"));
        m_sound = path(QStringLiteral("to.mov"));
        QVERIFY(VideoFixtures::testPattern(m_avi));
        QVERIFY(VideoFixtures::testPattern(m_mov));
        QVERIFY(VideoFixtures::soundOnly(m_sound));
        m_textMov = path(QStringLiteral("text.mov"));
        QFile text(m_textMov);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Aquest arxiu no és cap pel·lícula.\r\n");
        text.close();
        m_emptyMov = path(QStringLiteral("buit.mov"));
        QFile empty(m_emptyMov);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        m_reference = VideoFixtures::referenceFrame(m_avi);
        QCOMPARE(m_reference.size(), QSize(320, 240));
        if (!VideoBackend::available())
            QSKIP("No multimedia backend: Qt Multimedia found no decoder (GStreamer plug-ins)");
        // The backend must decode the pattern for anything below to mean something.
        const Fallible<QImage> frame = VideoFrameGrabber::firstFrame(m_avi, kWaitMs);
        if (!frame.ok())
            QSKIP(qPrintable(QStringLiteral("The media backend cannot decode a Motion JPEG AVI: ") +
                             frame.error()));
    }

    void theFrameGrabberGivesTheFirstFrameOrSaysWhy()
    {
        Fallible<QImage> frame = VideoFrameGrabber::firstFrame(m_avi, kWaitMs);
        QVERIFY2(frame.ok(), qPrintable(frame.error()));
        QCOMPARE(frame.value().size(), QSize(320, 240));
        QCOMPARE(VideoFixtures::matchingBars(frame.value(), frame.value().rect(), m_reference), 8);

        Fallible<QImage> sound = VideoFrameGrabber::firstFrame(m_sound, kWaitMs);
        QVERIFY2(sound.ok(), qPrintable(sound.error()));
        QVERIFY(sound.value().isNull());

        for (const QString &bad : {m_textMov, m_emptyMov, path(QStringLiteral("cap.avi"))}) {
            const Fallible<QImage> none = VideoFrameGrabber::firstFrame(bad, kWaitMs);
            QVERIFY2(!none.ok(), qPrintable(bad));
            QVERIFY(!none.error().isEmpty());
        }
    }

    void theSurfaceDrawsTheFrameWhereTheFittingSaysAndFollowsResizes()
    {
        QWidget host;
        host.resize(1000, 800);
        VideoSurface surface(&host);
        surface.setGeometry(0, 0, 1000, 800);
        const QColor panel(10, 160, 10);
        surface.setPanelColor(panel);
        surface.setFitter([](QSize natural, QSize client) {
            return VideoGeometry::FitVideo(natural, true, 200, client);
        });
        QMediaPlayer player;
        player.setVideoSink(surface.videoSink());
        QSignalSpy painted(&surface, &VideoSurface::framePainted);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        player.setSource(QUrl::fromLocalFile(m_avi));
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(painted.count() > 0, kWaitMs);
        player.pause();
        QCOMPARE(surface.naturalSize(), QSize(320, 240));
        QCOMPARE(surface.displayRect(), QRect(180, 160, 640, 480));
        QImage shot = surface.grab().toImage();
        QCOMPARE(VideoFixtures::matchingBars(shot, surface.displayRect(), m_reference), 8);
        QVERIFY(VideoFixtures::near(shot.pixelColor(5, 5), panel));
        QVERIFY(VideoFixtures::near(shot.pixelColor(990, 790), panel));
        QVERIFY(VideoFixtures::near(shot.pixelColor(175, 400), panel));

        surface.resize(500, 400);
        QCOMPARE(surface.displayRect(), QRect(0, 12, 500, 375));
        shot = surface.grab().toImage();
        QCOMPARE(VideoFixtures::matchingBars(shot, surface.displayRect(), m_reference), 8);
        QVERIFY(VideoFixtures::near(shot.pixelColor(250, 5), panel));

        // Taken away: nothing of the video stays.
        surface.clear();
        QVERIFY(!surface.hasFrame());
        QVERIFY(allOf(surface.grab().toImage(), panel));
    }

    void aNewMovieControlIsOpaqueBlackAndSmall()
    {
        TQTMovie movie;
        QCOMPARE(movie.size(), QSize(50, 50));
        QCOMPARE(movie.Color(), QColor(Qt::black));
        QVERIFY(movie.testAttribute(Qt::WA_OpaquePaintEvent));
        QVERIFY(movie.AutoRewind);
        QVERIFY(!movie.KeepScale());
        QVERIFY(!movie.Looping);
        QVERIFY(!movie.hasMovie());
        QVERIFY(allOf(movie.grab().toImage(), Qt::black));
    }

    void keepScaleLetterboxesInColor()
    {
        TQTMovie movie;
        movie.resize(400, 400);
        const QColor colour(200, 0, 200);
        movie.setColor(colour);
        movie.setKeepScale(true);
        QSignalSpy painted(&movie, &TQTMovie::framePainted);
        const Fallible<void> opened = movie.setFileName(m_mov);
        QVERIFY2(opened.ok(), qPrintable(opened.error()));
        QCOMPARE(movie.FileName(), m_mov);
        movie.show();
        QVERIFY(QTest::qWaitForWindowExposed(&movie));
        movie.PlayMovie();
        QTRY_VERIFY_WITH_TIMEOUT(painted.count() > 0, kWaitMs);
        QCOMPARE(movie.naturalSize(), QSize(320, 240));
        QCOMPARE(movie.movieBox().box, QRect(0, 50, 400, 300));
        QImage shot = movie.grab().toImage();
        QVERIFY(allOf(shot.copy(0, 0, 400, 50), colour));
        QVERIFY(allOf(shot.copy(0, 350, 400, 50), colour));
        QCOMPARE(VideoFixtures::matchingBars(shot, movie.movieBox().box, m_reference), 8);

        // Without keep-scale the picture fills the control: no band left.
        movie.setKeepScale(false);
        QCOMPARE(movie.movieBox().box, QRect(0, 0, 400, 400));
        shot = movie.grab().toImage();
        QCOMPARE(VideoFixtures::matchingBars(shot, shot.rect(), m_reference), 8);
        QVERIFY(!VideoFixtures::near(shot.pixelColor(200, 395), colour));

        // Resized with keep-scale: the box is placed again.
        movie.setKeepScale(true);
        movie.resize(400, 200);
        QCOMPARE(movie.movieBox().box, QRect(67, 0, 266, 200));
    }

    void aSoundOnlyMovieShowsColorPlaysAndStops()
    {
        TQTMovie movie;
        movie.resize(200, 100);
        const QColor colour(0, 90, 200);
        movie.setColor(colour);
        movie.setKeepScale(true);
        QSignalSpy stops(&movie, &TQTMovie::OnStop);
        QSignalSpy errors(&movie, &TQTMovie::OnMovieError);
        QVERIFY(movie.setFileName(m_sound).ok());
        movie.show();
        movie.PlayMovie();
        QTRY_VERIFY_WITH_TIMEOUT(movie.isPlaying(), kWaitMs);
        QVERIFY(!movie.hasPicture());
        QVERIFY(allOf(movie.grab().toImage(), colour));
        QTRY_COMPARE_WITH_TIMEOUT(stops.count(), 1, kWaitMs);
        QVERIFY(!movie.isPlaying());
        // Rewound by itself, ready to play again.
        QCOMPARE(movie.mediaPlayer()->position(), qint64(0));
        QVERIFY(errors.isEmpty());

        // Without AutoRewind it stays where it ended.
        movie.AutoRewind = false;
        movie.PlayMovie();
        QTRY_COMPARE_WITH_TIMEOUT(stops.count(), 2, kWaitMs);
        QVERIFY(movie.mediaPlayer()->position() > 500);
    }

    void aLoopingMovieNeverStopsByItself()
    {
        TQTMovie movie;
        movie.Looping = true;
        QSignalSpy stops(&movie, &TQTMovie::OnStop);
        QVERIFY(movie.setFileName(m_sound).ok());
        int ends = 0;
        connect(movie.mediaPlayer(), &QMediaPlayer::mediaStatusChanged, &movie,
                [&ends](QMediaPlayer::MediaStatus s) {
                    if (s == QMediaPlayer::EndOfMedia)
                        ++ends;
                });
        movie.PlayMovie();
        QTRY_VERIFY_WITH_TIMEOUT(ends >= 2, kWaitMs);
        QCOMPARE(stops.count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(movie.isPlaying(), kWaitMs);
        // Looping off: the next end stops it, once.
        movie.Looping = false;
        QTRY_COMPARE_WITH_TIMEOUT(stops.count(), 1, kWaitMs);
        QTest::qWait(200);
        QCOMPARE(stops.count(), 1);
    }

    void withoutAPlayerEveryOperationDoesNothingAndSaysSo()
    {
        VideoBackend::setAvailableForTesting(false);
        const auto restore = qScopeGuard([] { VideoBackend::setAvailableForTesting({}); });
        TQTMovie movie;
        movie.resize(120, 80);
        QSignalSpy missing(&movie, &TQTMovie::OnQuickTimeNotAvailable);
        const Fallible<void> opened = movie.setFileName(m_mov);
        QVERIFY(!opened.ok());
        QVERIFY(opened.error().isEmpty());
        QVERIFY(!movie.hasMovie());
        QVERIFY(movie.FileName().isEmpty());
        QCOMPARE(missing.count(), 1);
        QVERIFY(!movie.LoadMovie(m_mov).ok());
        movie.PlayMovie();
        movie.StopMovieAndRewind();
        movie.Rewind();
        movie.setKeepScale(true);
        QCOMPARE(missing.count(), 6);
        QVERIFY(!movie.KeepScale());
        QVERIFY(!movie.mediaPlayer());
        QVERIFY(allOf(movie.grab().toImage(), Qt::black));
    }

    void filesThatCannotBeOpenedOrRead()
    {
        TQTMovie movie;
        const QString openError = QStringLiteral("Error opening movie file");
        QCOMPARE(movie.LoadMovie(path(QStringLiteral("cap.mov"))).error(), openError);
        QCOMPARE(movie.LoadMovie(m_dir.path()).error(), openError);
        QCOMPARE(movie.setFileName(m_emptyMov).error(),
                 QStringLiteral("Error reading movie from file"));
        QVERIFY(movie.FileName().isEmpty());

        // A real movie under a name longer than 255 characters cannot be opened.
        const QString deep = m_dir.filePath(QString(200, QLatin1Char('d')));
        QVERIFY(QDir().mkpath(deep));
        const QString longName =
            deep + QLatin1Char('/') + QString(60, QLatin1Char('m')) + QStringLiteral(".mov");
        QVERIFY(longName.size() > 255);
        QVERIFY(QFile::copy(m_mov, longName));
        QCOMPARE(movie.LoadMovie(longName).error(), openError);
        QVERIFY(!movie.hasMovie());

        // A file with bytes that are no movie: the backend says so after loading.
        QSignalSpy errors(&movie, &TQTMovie::OnMovieError);
        QVERIFY(movie.setFileName(m_textMov).ok());
        movie.PlayMovie();
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, kWaitMs);
        const QString text = errors.first().first().toString();
        QVERIFY2(!text.startsWith(QLatin1String("Unknown error")) && !text.isEmpty(),
                 qPrintable(text));
        QVERIFY(!movie.hasMovie());
        QVERIFY(allOf(movie.grab().toImage(), Qt::black));
        QTest::qWait(200);
        QCOMPARE(errors.count(), 1);
    }
};

QTEST_MAIN(VideoWidgetsTest)
#include "VideoWidgetsTest.moc"
