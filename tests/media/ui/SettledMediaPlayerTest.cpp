// The media player driven so that it is never told anything while it is still opening a file:
// a change asked for meanwhile reaches it once the file is open or refused, only the last wish
// counts, and quick changes never stall the window's thread. With the real backend.

#include "media/ui/SettledMediaPlayer.h"

#include "support/AudioFixtures.h"
#include "support/MainThreadWatchdog.h"
#include "support/SlideListFixture.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWaitMs = 20000;

// A player with its sound output, and its driver.
struct Rig
{
    QMediaPlayer player;
    QAudioOutput output;
    SettledMediaPlayer settled{player};
    Rig() { player.setAudioOutput(&output); }
};

} // namespace

class SettledMediaPlayerTest : public QObject
{
    Q_OBJECT

    SlideListFixture m_fx;
    QUrl m_first, m_second, m_broken;

    static bool isOpen(const QMediaPlayer &p)
    {
        const QMediaPlayer::MediaStatus s = p.mediaStatus();
        return s != QMediaPlayer::LoadingMedia && s != QMediaPlayer::NoMedia;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!AudioFixtures::available())
            QSKIP("No ffmpeg command to make the sounds with");
        AudioFixtures::Tone tone;
        tone.codec = u"pcm_s16le"_s;
        // Long enough to be still playing when a loaded machine gets round to looking (a
        // 3-second tone had ended once before the test saw it play).
        tone.seconds = 30;
        const QString first = m_fx.path(u"primer.wav"_s);
        const QString second = m_fx.path(u"segon.wav"_s);
        QVERIFY(AudioFixtures::encode(first, tone));
        tone.frequency = 660;
        QVERIFY(AudioFixtures::encode(second, tone));
        m_first = QUrl::fromLocalFile(first);
        m_second = QUrl::fromLocalFile(second);
        m_broken = QUrl::fromLocalFile(m_fx.file(u"no-és-so.wav"_s, "Això no és cap so.\r\n"));
    }

    void aChangeWaitsUntilTheFileIsOpen()
    {
        Rig rig;
        QMediaPlayer &player = rig.player;
        SettledMediaPlayer &settled = rig.settled;

        settled.open(m_first, true);
        QCOMPARE(player.source(), m_first);
        if (!settled.opening())
            QSKIP("The backend opened the file at once: nothing to wait for");
        // Replaced while opening: the player keeps the first until it is open.
        settled.open(m_second, true);
        QCOMPARE(settled.source(), m_second);
        QCOMPARE(player.source(), m_first);
        QTRY_COMPARE_WITH_TIMEOUT(player.source(), m_second, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!settled.opening(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(player.playbackState(), QMediaPlayer::PlayingState, kWaitMs);

        // Open and playing: a change goes through at once.
        settled.open(QUrl(), false);
        QVERIFY(player.source().isEmpty());
        QCOMPARE(player.playbackState(), QMediaPlayer::StoppedState);
        // Commands without a file are dropped.
        settled.play();
        QVERIFY(player.source().isEmpty());
        QCOMPARE(player.playbackState(), QMediaPlayer::StoppedState);
    }

    void onlyTheLastWishCounts()
    {
        Rig rig;
        QMediaPlayer &player = rig.player;
        SettledMediaPlayer &settled = rig.settled;

        settled.open(m_first, false);
        settled.play();
        settled.pause();
        settled.stop();
        QTRY_VERIFY_WITH_TIMEOUT(isOpen(player) && !settled.opening(), kWaitMs);
        QTest::qWait(200);
        QCOMPARE(player.playbackState(), QMediaPlayer::StoppedState);

        settled.open(m_second, false);
        settled.stop();
        settled.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.playbackState(), QMediaPlayer::PlayingState, kWaitMs);
        QCOMPARE(player.source(), m_second);
        settled.pause();
        QCOMPARE(player.playbackState(), QMediaPlayer::PausedState);
        settled.restart();
        QCOMPARE(player.playbackState(), QMediaPlayer::PlayingState);
        QVERIFY(player.position() < 1000);
    }

    // A file the backend refuses ends the opening as well: the next one gets in.
    void aRefusedFileLetsTheNextIn()
    {
        Rig rig;
        QMediaPlayer &player = rig.player;
        SettledMediaPlayer &settled = rig.settled;

        settled.open(m_broken, true);
        settled.open(m_first, true);
        QTRY_COMPARE_WITH_TIMEOUT(player.source(), m_first, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(player.playbackState(), QMediaPlayer::PlayingState, kWaitMs);
    }

    // A player let go while it opens a file stays until it has, then goes; one at rest goes at
    // once.
    void disposedAfterOpening()
    {
        QPointer<QMediaPlayer> player = new QMediaPlayer;
        auto *output = new QAudioOutput(player.data());
        player->setAudioOutput(output);
        {
            SettledMediaPlayer settled(*player);
            settled.open(m_first, true);
            if (!settled.opening())
                QSKIP("The backend opened the file at once: nothing to wait for");
        }
        SettledMediaPlayer::dispose(player.data());
        QVERIFY(player);
        QCOMPARE(player->parent(), QCoreApplication::instance());
        QTRY_VERIFY_WITH_TIMEOUT(!player, kWaitMs);

        player = new QMediaPlayer;
        SettledMediaPlayer::dispose(player.data());
        QVERIFY(!player);
        SettledMediaPlayer::dispose(nullptr);
    }

    // Changes faster than files open, as a run on short timings makes them: the window's thread
    // never stalls, and in the end the player plays the file asked for last.
    void quickChangesNeverStall()
    {
        Rig rig;
        QMediaPlayer &player = rig.player;
        SettledMediaPlayer &settled = rig.settled;
        MainThreadWatchdog watchdog(std::chrono::seconds(30), "changing sounds");
        QRandomGenerator random(1211);
        const QUrl files[] = {m_first, m_second, QUrl(), m_broken};
        for (int i = 0; i < 120; ++i) {
            watchdog.beat();
            switch (random.bounded(5)) {
            case 0: settled.play(); break;
            case 1: settled.stop(); break;
            case 2: settled.pause(); break;
            default: settled.open(files[random.bounded(4)], random.bounded(2) == 0); break;
            }
            QTest::qWait(int(random.bounded(15)));
        }
        settled.open(m_second, true);
        watchdog.beat();
        QTRY_COMPARE_WITH_TIMEOUT(player.source(), m_second, kWaitMs);
        watchdog.beat(); // each wait may take its whole time on a slow machine
        QTRY_COMPARE_WITH_TIMEOUT(player.playbackState(), QMediaPlayer::PlayingState, kWaitMs);
    }
};

QTEST_MAIN(SettledMediaPlayerTest)
#include "SettledMediaPlayerTest.moc"
