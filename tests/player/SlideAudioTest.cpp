// The slide's audio track: which player plays it, the start and stop sequences, the repeat.

#include "player/SlideAudio.h"
#include "media/TAuPlayerMan.h"
#include "support/AudioFixtures.h"
#include "support/AudioTestHelpers.h"
#include "support/FakeMediaTrackPlayer.h"
#include "support/FakePrompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

class SlideAudioTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir, m_plugins;
    QString m_mp3, m_wma;
    std::unique_ptr<ScopedDefaultPcm> m_pcm;

    struct Rig
    {
        TAuPlayerMan players;
        FakeMediaTrackPlayer media;
        FakePrompter prompter;
        SlideAudio audio{players, media, prompter};
    };

    // Idles as the window does until `done` holds or the time runs out.
    template <typename F> bool idleUntil(SlideAudio &a, F done, int timeoutMs = 8000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            a.idle();
            if (done())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(AudioFixtures::available());
        // The default device is ALSA's null PCM, played in real time.
        m_pcm = std::make_unique<ScopedDefaultPcm>();
        AudioFixtures::Tone t;
        t.seconds = 0.4;
        t.codec = QStringLiteral("libmp3lame");
        m_mp3 = m_dir.filePath(QStringLiteral("pista.mp3"));
        QVERIFY(AudioFixtures::encode(m_mp3, t));
        t.codec = QStringLiteral("wmav2");
        m_wma = m_dir.filePath(QStringLiteral("pista.wma"));
        QVERIFY(AudioFixtures::encode(m_wma, t));
        QVERIFY(QFile::copy(QStringLiteral(AUDPLUG_PATH),
                            m_plugins.filePath(QStringLiteral("audplug.apq"))));
        QVERIFY(QFile::copy(QStringLiteral(FFPLUG_PATH),
                            m_plugins.filePath(QStringLiteral("ffplug.apq"))));
    }

    void cleanupTestCase() { m_pcm.reset(); }

    void whichTracksGoToAPlugin_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("plugin");
        QTest::newRow("mp3") << "a.mp3" << true;
        QTest::newRow("upper case") << "C:\\Música\\A.MP3" << true;
        QTest::newRow("mp2") << "a.mp2" << true;
        QTest::newRow("mp1") << "a.mp1" << true;
        QTest::newRow("ogg") << "a.ogg" << true;
        QTest::newRow("wma") << "a.wma" << true;
        QTest::newRow("wav") << "a.wav" << false;
        QTest::newRow("mid") << "a.mid" << false;
        QTest::newRow("cda") << "Track02.cda" << false;
        QTest::newRow("none") << "pista" << false;
    }

    void whichTracksGoToAPlugin()
    {
        QFETCH(QString, path);
        QFETCH(bool, plugin);
        QCOMPARE(SlideAudio::playsThroughPlugin(path), plugin);
    }

    void cdTrackNumbers()
    {
        QCOMPARE(SlideAudio::cdTrackNumber(QStringLiteral("D:\\Track02.cda")), 2);
        QCOMPARE(SlideAudio::cdTrackNumber(QStringLiteral("/media/cd/Track11.cda")), 11);
        QCOMPARE(SlideAudio::cdTrackNumber(QStringLiteral("Pista.cda")), 0);
    }

    void mp3AndWmaPlayThroughTheirPlugins()
    {
        Rig r;
        QCOMPARE(r.players.AddPluginsIn(m_plugins.path()), 2);
        r.audio.PlaySlideAudio(m_mp3, false);
        QVERIFY(r.prompter.shown.empty());
        QVERIFY(r.audio.AudioByPlugin);
        QVERIFY(r.audio.AudioPlayer);
        TAuPlayer *mp3Player = r.audio.AudioPlayer;
        QVERIFY(mp3Player->ModuleName().contains(QLatin1String("MPEG")));
        QCOMPARE(mp3Player->PlayerMode(), 4);
        QCOMPARE(mp3Player->BufferSize(), 8196);
        QCOMPARE(mp3Player->BuffersCount(), 8);
        r.audio.PlaySlideAudio(m_wma, false);
        QCOMPARE(r.audio.AudioPlayer->ModuleName(), QStringLiteral("Windows Media Audio"));
        QCOMPARE(r.audio.AudioPlayer->PlayerMode(), 4);
        // The track before was stopped and made ready again.
        QCOMPARE(mp3Player->PlayerMode(), 2);
        r.audio.StopSlideAudio();
        QCOMPARE(r.audio.AudioPlayer->PlayerMode(), 2);
        QVERIFY(r.media.calls.isEmpty() || !r.media.calls.contains(QStringLiteral("play")));
    }

    void otherTracksGoToTheMediaPlayer()
    {
        Rig r;
        r.players.AddPluginsIn(m_plugins.path());
        r.audio.PlaySlideAudio(QStringLiteral("so.wav"), false);
        QVERIFY(!r.audio.AudioByPlugin);
        QCOMPARE(r.media.calls,
                 QStringList({QStringLiteral("stop"), QStringLiteral("close"),
                              QStringLiteral("open so.wav auto 0"), QStringLiteral("play")}));
        r.media.calls.clear();
        r.audio.PlaySlideAudio(QStringLiteral("D:\\Track02.cda"), false);
        QCOMPARE(r.media.calls, QStringList({QStringLiteral("stop"), QStringLiteral("close"),
                                             QStringLiteral("open D:\\Track02.cda cd 2"),
                                             QStringLiteral("play")}));
        r.media.calls.clear();
        r.audio.StopSlideAudio();
        QCOMPARE(r.media.calls, QStringList({QStringLiteral("stop")}));
        // A plug-in track after a media track: the media player is stopped first.
        r.media.calls.clear();
        r.audio.PlaySlideAudio(m_mp3, false);
        QCOMPARE(r.media.calls, QStringList({QStringLiteral("stop")}));
        QVERIFY(r.audio.AudioByPlugin);
        r.audio.StopSlideAudio();
    }

    void aVideoTakesTheAudioOver()
    {
        Rig r;
        r.players.AddPluginsIn(m_plugins.path());
        r.audio.PlaySlideAudio(m_mp3, true);
        TAuPlayer *mp3 = r.audio.AudioPlayer;
        QVERIFY(mp3);
        QCOMPARE(mp3->PlayerMode(), 4);
        r.media.calls.clear();
        r.audio.MediaPlayerTakesOver();
        // The plug-in track stops now: once the media player is the audio in use, nothing would
        // reach it.
        QCOMPARE(mp3->PlayerMode(), 2);
        QVERIFY(!r.audio.AudioByPlugin);
        QVERIFY(!r.audio.RepeatAudio);
        QVERIFY(r.media.calls.isEmpty());
        r.audio.StopSlideAudio();
        QCOMPARE(r.media.calls, QStringList({QStringLiteral("stop")}));
        // Nor is the stopped track repeated.
        for (int i = 0; i < 10; ++i) {
            r.audio.idle();
            QThread::msleep(20);
        }
        QCOMPARE(mp3->PlayerMode(), 2);
        QVERIFY(r.prompter.shown.empty());
    }

    void noDecoderForTheExtension()
    {
        Rig r;
        QTemporaryDir onlyWma;
        QVERIFY(QFile::copy(QStringLiteral(AUDPLUG_PATH),
                            onlyWma.filePath(QStringLiteral("audplug.apq"))));
        r.players.AddPluginsIn(onlyWma.path());
        r.audio.PlaySlideAudio(QStringLiteral("C:\\so\\pista.mp3"), false);
        QCOMPARE(r.prompter.texts(),
                 QStringList({QStringLiteral(
                     "No es pot tocar\r\nC:\\so\\pista.mp3\r\nNo hi ha un decodificador "
                     "per aquest tipus d'arxiu")}));
        QCOMPARE(r.prompter.shown.front().kind, MsgKind::Error);
        QVERIFY(!r.audio.AudioByPlugin);
    }

    void pluginFailuresAreShown()
    {
        Rig r;
        r.players.AddPluginsIn(m_plugins.path());
        r.audio.PlaySlideAudio(m_dir.filePath(QStringLiteral("missing.mp3")), false);
        QCOMPARE(r.prompter.texts(), QStringList({QStringLiteral("Input stream failure")}));
        r.prompter.clear();
        QElapsedTimer t;
        t.start();
        {
            ScopedDefaultPcm noDevice("pelvar-no-such-device");
            r.audio.PlaySlideAudio(m_mp3, false);
        }
        QCOMPARE(r.prompter.texts(), QStringList({QStringLiteral("Output device failure")}));
        QVERIFY(t.elapsed() < 3000); // no device: no hang
        QCOMPARE(r.audio.AudioPlayer->PlayerMode(), 2);
        r.audio.idle(); // nothing to repeat
    }

    void aRepeatedTrackPlaysTwiceThenStops()
    {
        Rig r;
        r.players.AddPluginsIn(m_plugins.path());
        TAuPlayer *ff = r.players.FindPlayer(QStringLiteral(".mp3"));
        QVERIFY(ff);
        OutputStartCounter count;
        count.attach(*ff);
        r.audio.PlaySlideAudio(m_mp3, true);
        QVERIFY(r.audio.RepeatAudio);
        QCOMPARE(count.starts.load(), 1);
        QVERIFY(idleUntil(r.audio, [&] { return count.starts.load() == 2; }));
        QVERIFY(!r.audio.RepeatAudio);
        QVERIFY(idleUntil(r.audio, [&] { return count.ends.load() == 2; }));
        // Idle on for a while: no third time.
        for (int i = 0; i < 30; ++i) {
            r.audio.idle();
            QThread::msleep(20);
        }
        QCOMPARE(count.starts.load(), 2);
        QCOMPARE(ff->PlayerMode(), 2);
    }

    void aTrackWithoutRepeatPlaysOnce()
    {
        Rig r;
        r.players.AddPluginsIn(m_plugins.path());
        TAuPlayer *ff = r.players.FindPlayer(QStringLiteral(".mp3"));
        OutputStartCounter count;
        count.attach(*ff);
        r.audio.PlaySlideAudio(m_mp3, false);
        QVERIFY(idleUntil(r.audio, [&] { return count.ends.load() == 1; }));
        // Idle on for a while: no second time.
        for (int i = 0; i < 30; ++i) {
            r.audio.idle();
            QThread::msleep(20);
        }
        QCOMPARE(count.starts.load(), 1);
        // Started again by the next slide: from the start.
        r.audio.PlaySlideAudio(m_mp3, false);
        QCOMPARE(count.starts.load(), 2);
        r.audio.StopSlideAudio();
    }
};

QTEST_GUILESS_MAIN(SlideAudioTest)
#include "SlideAudioTest.moc"
