// Decoding speed of the audio plug-ins in callback output, against the ffmpeg command decoding
// the same file to 16-bit PCM. Prints each as a multiple of real time; asserts nothing.
//   bench_audplug [seconds]     (the length of the tones it makes, 120 by default)

#include "media/TAuPlayerMan.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdio>

namespace {

bool ffmpeg(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStandardPaths::findExecutable(QStringLiteral("ffmpeg")),
            QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"),
                        QStringLiteral("-loglevel"), QStringLiteral("error"),
                        QStringLiteral("-y")} +
                args);
    return p.waitForFinished(-1) && p.exitCode() == 0;
}

// Seconds the plug-in takes to hand every block of `file` to the host.
double pluginSeconds(const QString &plugin, const QString &file, qint64 *bytes)
{
    TAuPlayer p;
    p.setPathToDLL(plugin);
    p.Init();
    std::atomic<qint64> total{0};
    p.OnOutputInit = [](TAuPlayer &, bool &) {};
    p.OnOutputDone = [](TAuPlayer &, bool &) {};
    p.OnOutput = [&total](TAuPlayer &, const void *, int, int, int, int size, bool &) {
        total += size;
    };
    p.setOutputMode(TAuSOutputMode::omCallback);
    p.setBufferSize(8196);
    p.setInputName(file);
    QElapsedTimer t;
    t.start();
    p.Open();
    p.InitStream();
    p.Play();
    while (p.PlayerMode() != 3)
        QThread::usleep(200);
    const double s = double(t.nsecsElapsed()) / 1e9;
    *bytes = total.load();
    return s;
}

double ffmpegSeconds(const QString &file)
{
    QElapsedTimer t;
    t.start();
    ffmpeg({QStringLiteral("-i"), file, QStringLiteral("-f"), QStringLiteral("s16le"),
            QStringLiteral("-")});
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 120;
    const QString bin = QCoreApplication::applicationDirPath();
    QTemporaryDir dir;
    struct Case
    {
        const char *name, *codec, *ext, *plugin;
    };
    const Case cases[] = {{"WMA v2 44100 Hz stereo", "wmav2", "wma", "audplug.apq"},
                          {"WMA v1 22050 Hz stereo", "wmav1", "wma", "audplug.apq"},
                          {"MP3 44100 Hz stereo", "libmp3lame", "mp3", "ffplug.apq"},
                          {"Ogg Vorbis 44100 Hz stereo", "libvorbis", "ogg", "ffplug.apq"}};
    std::printf("%-28s %14s %14s %8s\n", "stream", "plug-in (x rt)", "ffmpeg (x rt)", "ratio");
    for (const Case &c : cases) {
        const QString file = dir.filePath(QStringLiteral("tone.") + QLatin1String(c.ext));
        const int rate = QByteArray(c.name).contains("22050") ? 22050 : 44100;
        if (!ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("sine=frequency=440:duration=%1:sample_rate=%2")
                         .arg(seconds)
                         .arg(rate),
                     QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-c:a"),
                     QLatin1String(c.codec), file})) {
            std::fprintf(stderr, "bench_audplug: ffmpeg could not make %s\n", c.name);
            return 1;
        }
        qint64 bytes = 0;
        const double ours =
            pluginSeconds(bin + QLatin1Char('/') + QLatin1String(c.plugin), file, &bytes);
        const double audio = double(bytes) / (rate * 4.0);
        const double theirs = ffmpegSeconds(file);
        std::printf("%-28s %14.0f %14.0f %8.2f\n", c.name, audio / ours, audio / theirs,
                    theirs / ours);
    }
    return 0;
}
