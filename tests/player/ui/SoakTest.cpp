// A school day of a looping automatic presentation in the real main window: pictures, a GIF
// animation, text and rich-text slides, audio tracks through the plug-ins and a video. On the
// fake clock it runs PELVAR_SOAK_MINUTES minutes (default 10; 1440 for the day), then on the real
// clock PELVAR_SOAK_REAL_SECONDS seconds (default 10; 600 for ten minutes). Resident memory, open
// files, threads and pending timers are sampled at every slide change; their peaks in the last
// quarter must not pass those of the second. The figures are printed. A loop that stops coming
// round fails within minutes.

#include "player/PlayerEngine.h"
#include "player/StartupArgs.h"
#include "player/ui/TFShowImages.h"
#include "support/AudioFixtures.h"
#include "support/AudioTestHelpers.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/GifBuilder.h"
#include "support/MainThreadWatchdog.h"
#include "support/SlideListFixture.h"
#include "support/ThreadNames.h"
#include "support/VideoFixtures.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <cstdio>

#include <dlfcn.h>

namespace {

struct Usage
{
    qint64 rssKb = 0;
    int files = 0;
    int threads = 0;
    int timers = 0;
    qint64 slides = 0;
};

Usage measure(int timers, qint64 slides)
{
    Usage u;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &l : status.readAll().split('\n')) {
            if (l.startsWith("VmRSS:"))
                u.rssKb = l.mid(6).trimmed().split(' ').value(0).toLongLong();
            else if (l.startsWith("Threads:"))
                u.threads = l.mid(8).trimmed().toInt();
        }
    }
    u.files = int(QDir(QStringLiteral("/proc/self/fd"))
                      .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                      .size());
    u.timers = timers;
    u.slides = slides;
    return u;
}

// The figures go straight to the standard output: the test library stops printing messages
// after its first 2000, and a long run's media backend warns more than that.
void report(const QString &line)
{
    std::fprintf(stdout, "SOAK: %s\n", qPrintable(line));
    std::fflush(stdout);
}

QString describe(const char *when, const Usage &u)
{
    return QStringLiteral("%1: %2 slides shown, resident %3 MB, %4 open files, %5 threads, %6 "
                          "timers")
        .arg(QLatin1String(when))
        .arg(u.slides)
        .arg(double(u.rssKb) / 1024.0, 0, 'f', 1)
        .arg(u.files)
        .arg(u.threads)
        .arg(u.timers);
}

// From half-way to the end nothing may keep growing; a little room is left for caches that
// fill once and for threads the media libraries start and end on their own.
// Under AddressSanitizer freed blocks wait in its quarantine (a quarter of a gigabyte) before
// they are reused, so resident memory grows until it is full whatever the program does: there
// the memory is left to the sanitizer's leak check.
// The figures sampled at every slide change from a quarter of the run on: the first, the highest
// of the second quarter and of the last, and the last. Threads and open files come and go with
// the media pipelines of the slide shown, so growth is judged on the peaks of two stretches, not
// on two single moments.
struct Sampler
{
    qint64 endMs = 0;
    Usage first, secondQuarter, lastQuarter, last;
    bool started = false;

    void sample(qint64 atMs, int timers, qint64 slides)
    {
        if (atMs < endMs / 4)
            return;
        const Usage u = measure(timers, slides);
        if (!started) {
            first = u;
            started = true;
        }
        if (atMs < endMs / 2)
            peak(secondQuarter, u);
        else if (atMs >= endMs * 3 / 4)
            peak(lastQuarter, u);
        last = u;
    }

    static void peak(Usage &p, const Usage &u)
    {
        p.rssKb = std::max(p.rssKb, u.rssKb);
        p.files = std::max(p.files, u.files);
        p.threads = std::max(p.threads, u.threads);
        p.timers = std::max(p.timers, u.timers);
        p.slides = u.slides;
    }

    void print() const
    {
        report(describe("after warm-up", first));
        report(describe("peak of the second quarter", secondQuarter));
        report(describe("peak of the last quarter", lastQuarter));
        report(describe("end", last));
    }
};

void checkNoGrowth(const Usage &half, const Usage &end)
{
    // A run too short to change slides in both stretches has nothing to compare.
    if (half.slides == 0 || end.slides == 0)
        return;
#ifndef __SANITIZE_ADDRESS__
    QVERIFY2(end.rssKb - half.rssKb < 24 * 1024, "resident memory grew");
#endif
    QVERIFY2(end.files <= half.files + 2, "open files grew");
    QVERIFY2(end.threads <= half.threads + 4, "threads grew");
    QVERIFY2(end.timers <= half.timers + 1, "timers grew");
}

QByteArray animatedGif()
{
    GifBuilder gif(60, 40,
                   {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200), qRgb(0, 0, 0)});
    gif.addApplication("NETSCAPE2.0", QByteArray("\x01\x00\x00", 3));
    for (std::uint8_t colour = 0; colour < 3; ++colour) {
        gif.addGraphicControl(50);
        gif.addFrame(60, 40, std::vector<std::uint8_t>(60 * 40, colour));
    }
    return gif.finish();
}

// The presentation: every slide kind a school day loops through, each up for a few seconds.
struct SoakShow
{
    SlideListFixture fx;
    QString list;
    bool withVideo = false;
    bool withAudio = false;

    SoakShow()
    {
        QImage photo(800, 600, QImage::Format_RGB32);
        photo.fill(QColor(90, 140, 200));
        const QString jpeg = fx.path(QStringLiteral("paisatge.jpg"));
        photo.save(jpeg, "JPEG");
        const QString png = fx.picture(QStringLiteral("mapa.png"), 640, 480);
        const QString gif = fx.file(QStringLiteral("roda.gif"), animatedGif());
        const QString txt = fx.file(QStringLiteral("conte.txt"),
                                    QByteArray("Hi havia una vegada una fada.\r\n").repeated(40));
        const QString rtf =
            fx.file(QStringLiteral("poema.rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs28 "
                                                 "{\\b Primavera}\\par La pluja cau.\\par}");
        QString wav, ogg, video;
        if (AudioFixtures::available()) {
            wav = fx.path(QStringLiteral("ocell.wav"));
            ogg = fx.path(QStringLiteral("musica.ogg"));
            AudioFixtures::Tone tone;
            tone.codec = QStringLiteral("pcm_s16le");
            tone.seconds = 2;
            withAudio = AudioFixtures::encode(wav, tone);
            tone.codec = QStringLiteral("libvorbis");
            tone.frequency = 660;
            withAudio = AudioFixtures::encode(ogg, tone) && withAudio;
        }
        if (VideoFixtures::available()) {
            video = fx.path(QStringLiteral("rellotge.avi"));
            withVideo = VideoFixtures::testPattern(video, QSize(160, 120), 2.0);
        }
        QStringList lines{
            SlideListFixture::line(png, QStringLiteral("B"), QStringLiteral("El mapa"), QString(),
                                   QStringLiteral("4"), withAudio ? wav : QString()),
            SlideListFixture::line(jpeg, QStringLiteral("L"), QStringLiteral("Un paisatge"),
                                   QStringLiteral("de muntanya"), QStringLiteral("3")),
            SlideListFixture::line(gif, QString(), QString(), QString(), QStringLiteral("3")),
            SlideListFixture::line(txt, QStringLiteral("Ac"), QString(), QString(),
                                   QStringLiteral("4"), withAudio ? ogg : QString()),
            SlideListFixture::line(rtf, QString(), QString(), QString(), QStringLiteral("3")),
            SlideListFixture::line(QString(), QStringLiteral("As"),
                                   QStringLiteral("Fi de la volta"), QStringLiteral("i tornem-hi"),
                                   QStringLiteral("2")),
        };
        if (withVideo)
            lines.insert(4, SlideListFixture::line(video, QString(), QString(), QString(),
                                                   QStringLiteral("3")));
        list = fx.list(QStringLiteral("dia.sal"), lines);
    }
};

void startLoop(TFShowImages &w, const SoakShow &show)
{
    StartupArgs args;
    args.fileArgument = show.list;
    w.startUp(args, false);
    PresentationSettings &s = w.engine().session().Settings;
    s.ManualViewing = false;
    s.LoopImages = true;
    w.action(PlayerAction::A_V_InitNext)->trigger();
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

public:
    // The test library stops a test function after five minutes; a longer run asked for gets
    // the time it needs (the fake day takes most of an hour and a half here).
    static void initMain()
    {
        if (qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
            return;
        const qint64 fakeMinutes = qEnvironmentVariableIntValue("PELVAR_SOAK_MINUTES");
        const qint64 realSeconds = qEnvironmentVariableIntValue("PELVAR_SOAK_REAL_SECONDS");
        const qint64 ms =
            std::max<qint64>(realSeconds * 1000, fakeMinutes * 60 * 1000 / 10) + 10 * 60 * 1000;
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(ms));
    }

private Q_SLOTS:
    void dayOnTheFakeClock()
    {
        bool ok = false;
        int minutes = qEnvironmentVariableIntValue("PELVAR_SOAK_MINUTES", &ok);
        if (!ok || minutes <= 0)
            minutes = 10;
        const ScopedDefaultPcm nullOutput; // tracks play, in real time, to no sound card
        SoakShow show;
        QTemporaryDir plugins;
        FakePrompter prompter;
        FakeScheduler clock;
        TFShowImages w(prompter, clock);
        QFile::copy(QStringLiteral(AUDPLUG_PATH), plugins.filePath(QStringLiteral("audplug.apq")));
        QFile::copy(QStringLiteral(FFPLUG_PATH), plugins.filePath(QStringLiteral("ffplug.apq")));
        w.audioPlayers().AddPluginsIn(plugins.path());
        w.resize(900, 700);
        showAndActivate(w);
        qint64 shown = 0;
        int last = -1;
        startLoop(w, show);
        QVERIFY(w.engine().state().Presenting);

        const qint64 endMs = qint64(minutes) * 60 * 1000;
        Sampler figures;
        figures.endMs = endMs;
        QElapsedTimer real;
        real.start();
        // A loop stuck inside a library ends the test at once, with every thread's stack.
        MainThreadWatchdog watchdog(std::chrono::minutes(2), "the looping presentation");
        while (clock.tickMs() < endMs) {
            watchdog.beat();
            const qint64 due = clock.nextDueInMs();
            QVERIFY2(due >= 0, "the loop stopped: no timer left");
            clock.advance(std::max<qint64>(due, 1));
            QCoreApplication::processEvents();
            QVERIFY2(w.engine().state().Presenting,
                     qPrintable(QStringLiteral("the run ended after %1 slides").arg(shown)));
            const int now = w.engine().state().Position;
            if (now != last) {
                ++shown;
                last = now;
                figures.sample(clock.tickMs(), clock.pendingTimers(), shown);
            }
        }
        report(QStringLiteral("%1 fake minutes in %2 s, video %3, audio %4")
                   .arg(minutes)
                   .arg(real.elapsed() / 1000)
                   .arg(QLatin1String(show.withVideo ? "yes" : "no"),
                        QLatin1String(show.withAudio ? "yes" : "no")));
        figures.print();
        QVERIFY2(prompter.shown.empty(), qPrintable(prompter.texts().join(QLatin1Char('\n'))));
        checkNoGrowth(figures.secondQuarter, figures.lastQuarter);
        w.engine().stop();
    }

    void minutesOnTheRealClock()
    {
        bool ok = false;
        int seconds = qEnvironmentVariableIntValue("PELVAR_SOAK_REAL_SECONDS", &ok);
        if (!ok || seconds <= 0)
            seconds = 10;
        const ScopedDefaultPcm nullOutput;
        SoakShow show;
        QTemporaryDir plugins;
        FakePrompter prompter;
        TFShowImages w(prompter);
        QFile::copy(QStringLiteral(AUDPLUG_PATH), plugins.filePath(QStringLiteral("audplug.apq")));
        QFile::copy(QStringLiteral(FFPLUG_PATH), plugins.filePath(QStringLiteral("ffplug.apq")));
        w.audioPlayers().AddPluginsIn(plugins.path());
        w.resize(900, 700);
        showAndActivate(w);
        // Each slide up for half a second: many slides in the time.
        startLoop(w, show);
        w.engine().session().Settings.ImageDelay = 0;
        QVERIFY(w.engine().state().Presenting);
        qint64 shown = 0;
        int last = -1;
        QElapsedTimer real;
        real.start();
        const qint64 endMs = qint64(seconds) * 1000;
        Sampler figures;
        figures.endMs = endMs;
        MainThreadWatchdog watchdog(std::chrono::minutes(2), "the looping presentation");
        while (real.elapsed() < endMs) {
            watchdog.beat();
            QTest::qWait(20);
            QVERIFY2(w.engine().state().Presenting,
                     qPrintable(QStringLiteral("the run ended after %1 slides").arg(shown)));
            const int now = w.engine().state().Position;
            if (now != last) {
                ++shown;
                last = now;
                figures.sample(real.elapsed(), 0, shown);
            }
        }
        report(QStringLiteral("%1 real seconds").arg(seconds));
        figures.print();
        QVERIFY2(prompter.shown.empty(), qPrintable(prompter.texts().join(QLatin1Char('\n'))));
        QVERIFY2(figures.started, "no slide shown after the warm-up");
        checkNoGrowth(figures.secondQuarter, figures.lastQuarter);
        w.engine().stop();
    }

    // The media libraries end their pipeline threads a little after the last player goes, GLib
    // keeps the idle worker threads GStreamer ran on for a quarter of a minute, and Qt's pool
    // keeps its own (the picture scaling ran on them) for half a minute. The program lets them
    // all end before it exits. The leak check at exit stops every thread to read its memory:
    // a thread still ending then holds the last reference to its own thread data, which the
    // check takes for lost, and such threads' storage has crashed the check itself.
    void cleanupTestCase()
    {
        using SetMaxUnused = void (*)(int);
        using StopUnused = void (*)();
        if (const auto setMaxUnused = reinterpret_cast<SetMaxUnused>(
                dlsym(RTLD_DEFAULT, "g_thread_pool_set_max_unused_threads")))
            setMaxUnused(0);
        if (const auto stopUnused = reinterpret_cast<StopUnused>(
                dlsym(RTLD_DEFAULT, "g_thread_pool_stop_unused_threads")))
            stopUnused();
        QThreadPool::globalInstance()->waitForDone(); // and its threads end
        QElapsedTimer waited;
        waited.start();
        QElapsedTimer still;
        still.start();
        QStringList threads = threadNames();
        while (still.elapsed() < 3000 && waited.elapsed() < 20000) {
            QTest::qWait(100);
            const QStringList now = threadNames();
            if (now != threads) {
                threads = now;
                still.restart();
            }
        }
        report(QStringLiteral("%1 threads left after %2 s: %3")
                   .arg(threads.size())
                   .arg(waited.elapsed() / 1000)
                   .arg(threads.join(QLatin1String(", "))));
    }
};

QTEST_MAIN(SoakTest)
#include "SoakTest.moc"
