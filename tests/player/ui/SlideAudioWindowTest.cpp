// Slide audio in the running program: each kind of track reaches its player, a repeated track
// plays twice, a continued track carries over the next slides until one stops it.

#include "player/ui/TFShowImages.h"

#include "media/TAuPlayerMan.h"
#include "support/AudioFixtures.h"
#include "support/AudioTestHelpers.h"
#include "support/FakeMediaTrackPlayer.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <memory>

namespace {

// A window with the built plug-ins, a fake media player and scripted message boxes.
struct AudioWindow
{
    FakePrompter prompter;
    FakeMediaTrackPlayer media;
    TFShowImages w{prompter};
    QTemporaryDir plugins;

    AudioWindow()
    {
        QFile::copy(QStringLiteral(AUDPLUG_PATH), plugins.filePath(QStringLiteral("audplug.apq")));
        QFile::copy(QStringLiteral(FFPLUG_PATH), plugins.filePath(QStringLiteral("ffplug.apq")));
        w.audioPlayers().AddPluginsIn(plugins.path());
        w.setMediaTrackPlayer(media);
        w.resize(640, 480);
        w.show();
    }
    TAuPlayer *player(const char *ext) { return w.audioPlayers().FindPlayer(QLatin1String(ext)); }
    void start(const QString &list)
    {
        StartupArgs a;
        a.fileArgument = list;
        w.startUp(a, true);
    }
    void next() { QTest::keyClick(&w, Qt::Key_Space); }
};

QString tone(SlideListFixture &fx, const QString &name, const QString &codec, double seconds)
{
    AudioFixtures::Tone t;
    t.codec = codec;
    t.seconds = seconds;
    const QString p = fx.path(name);
    return AudioFixtures::encode(p, t) ? p : QString();
}

} // namespace

class SlideAudioWindowTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScopedDefaultPcm> m_pcm;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(AudioFixtures::available());
        m_pcm = std::make_unique<ScopedDefaultPcm>(); // ALSA's null PCM, in real time
    }

    void cleanupTestCase() { m_pcm.reset(); }

    void eachTrackReachesItsPlayer()
    {
        SlideListFixture fx;
        const QString mp3 = tone(fx, QStringLiteral("u.mp3"), QStringLiteral("libmp3lame"), 2);
        const QString wma = tone(fx, QStringLiteral("dos.wma"), QStringLiteral("wmav2"), 2);
        const QString wav = tone(fx, QStringLiteral("tres.wav"), QStringLiteral("pcm_s16le"), 1);
        QVERIFY(!mp3.isEmpty() && !wma.isEmpty() && !wav.isEmpty());
        const QString list = fx.list(
            QStringLiteral("so.sal"),
            {SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("U"),
                                    QStringLiteral(""), QStringLiteral(""), mp3),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Dos"),
                                    QStringLiteral(""), QStringLiteral(""), wma),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Tres"),
                                    QStringLiteral(""), QStringLiteral(""), wav)});
        AudioWindow a;
        TAuPlayer *ff = a.player(".mp3");
        TAuPlayer *ap = a.player(".wma");
        QVERIFY(ff && ap && ff != ap);
        a.start(list);
        QVERIFY(a.w.engine().state().Presenting);
        QVERIFY(a.w.slideAudio().AudioByPlugin);
        QCOMPARE(a.w.slideAudio().AudioPlayer, ff);
        QCOMPARE(ff->PlayerMode(), 4);

        a.next();
        QCOMPARE(a.w.slideAudio().AudioPlayer, ap);
        QCOMPARE(ap->PlayerMode(), 4);
        QCOMPARE(ff->PlayerMode(), 2); // stopped, ready again

        a.next();
        QVERIFY(!a.w.slideAudio().AudioByPlugin);
        QVERIFY(a.media.calls.contains(QStringLiteral("open %1 auto 0").arg(wav)));
        QCOMPARE(a.media.calls.last(), QStringLiteral("play"));
        QCOMPARE(ap->PlayerMode(), 2);
        QVERIFY(a.prompter.shown.empty());

        a.w.action(PlayerAction::A_V_Stop)->trigger();
        QCOMPARE(a.media.calls.last(), QStringLiteral("stop"));
    }

    void aRepeatedTrackPlaysTwice()
    {
        SlideListFixture fx;
        const QString mp3 = tone(fx, QStringLiteral("curt.mp3"), QStringLiteral("libmp3lame"), 0.4);
        const QString list =
            fx.list(QStringLiteral("rep.sal"),
                    {SlideListFixture::line(QStringLiteral(""), QStringLiteral("Ar"),
                                            QStringLiteral("Repetició"), QStringLiteral(""),
                                            QStringLiteral(""), mp3),
                     SlideListFixture::line(QStringLiteral(""), QStringLiteral(""),
                                            QStringLiteral("Silenci"), QStringLiteral(""),
                                            QStringLiteral(""), QStringLiteral(""))});
        AudioWindow a;
        OutputStartCounter c;
        c.attach(*a.player(".mp3"));
        a.start(list);
        QVERIFY(a.w.slideAudio().RepeatAudio);
        QTRY_COMPARE_WITH_TIMEOUT(c.ends.load(), 2, 8000);
        // The window runs on for a while on purpose: no third time.
        QTest::qWait(700);
        QCOMPARE(c.starts.load(), 2);
        QVERIFY(!a.w.slideAudio().RepeatAudio);
        a.w.action(PlayerAction::A_V_Stop)->trigger();
    }

    void aContinuedTrackCarriesOverUntilAStop()
    {
        SlideListFixture fx;
        const QString mp3 = tone(fx, QStringLiteral("llarg.mp3"), QStringLiteral("libmp3lame"), 4);
        const QString list = fx.list(
            QStringLiteral("cont.sal"),
            {SlideListFixture::line(QStringLiteral(""), QStringLiteral("Ac"), QStringLiteral("U"),
                                    QStringLiteral(""), QStringLiteral(""), mp3),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Dos"),
                                    QStringLiteral(""), QStringLiteral(""), QStringLiteral("")),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Tres"),
                                    QStringLiteral(""), QStringLiteral(""), QStringLiteral("")),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral("As"),
                                    QStringLiteral("Quatre"), QStringLiteral(""),
                                    QStringLiteral(""), QStringLiteral(""))});
        AudioWindow a;
        TAuPlayer *ff = a.player(".mp3");
        OutputStartCounter c;
        c.attach(*ff);
        a.start(list);
        QCOMPARE(ff->PlayerMode(), 4);
        a.next(); // no track of its own: the one before goes on
        QCOMPARE(ff->PlayerMode(), 4);
        a.next(); // and on, as the slide before inherited the continuation
        QCOMPARE(ff->PlayerMode(), 4);
        QCOMPARE(c.starts.load(), 1);
        QCOMPARE(c.ends.load(), 0);
        a.next(); // "As": stopped here
        QCOMPARE(ff->PlayerMode(), 2);
        QCOMPARE(c.ends.load(), 1);
        a.w.action(PlayerAction::A_V_Stop)->trigger();
    }

    void withoutContinueTheNextSlideStopsTheTrack()
    {
        SlideListFixture fx;
        const QString mp3 = tone(fx, QStringLiteral("llarg.mp3"), QStringLiteral("libmp3lame"), 4);
        const QString list = fx.list(
            QStringLiteral("stop.sal"),
            {SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("U"),
                                    QStringLiteral(""), QStringLiteral(""), mp3),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Dos"),
                                    QStringLiteral(""), QStringLiteral(""), QStringLiteral(""))});
        AudioWindow a;
        TAuPlayer *ff = a.player(".mp3");
        a.start(list);
        QCOMPARE(ff->PlayerMode(), 4);
        a.next();
        QCOMPARE(ff->PlayerMode(), 2);
        a.w.action(PlayerAction::A_V_Stop)->trigger();
    }

    void noSoundDeviceKeepsTheRunGoing()
    {
        SlideListFixture fx;
        const QString mp3 = tone(fx, QStringLiteral("u.mp3"), QStringLiteral("libmp3lame"), 1);
        const QString list = fx.list(
            QStringLiteral("mut.sal"),
            {SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("U"),
                                    QStringLiteral(""), QStringLiteral(""), mp3),
             SlideListFixture::line(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Dos"),
                                    QStringLiteral(""), QStringLiteral(""), QStringLiteral(""))});
        AudioWindow a;
        {
            ScopedDefaultPcm noDevice("pelvar-no-such-device");
            a.start(list);
        }
        QVERIFY(a.w.engine().state().Presenting);
        QCOMPARE(a.prompter.texts(), QStringList({QStringLiteral("Output device failure")}));
        a.next();
        QCOMPARE(a.w.engine().SlideAt(a.w.engine().state().Position), 1);
        a.w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(!a.w.engine().state().Presenting);
    }
};

QTEST_MAIN(SlideAudioWindowTest)
#include "SlideAudioWindowTest.moc"
