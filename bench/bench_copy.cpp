// Copies one large file through the copy engine and with the system's cp, alternately, on the
// same disk; prints both throughputs and their ratio, how often progress was reported, and how
// long a cancel took to be answered. Usage: bench_copy [size in MiB, default 2048] [folder].
// It is not a test and asserts nothing.

#include "files/CopyMoveRun.h"
#include "files/PosixFileOps.h"
#include "files/Prompter.h"
#include "files/TStringFileList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

namespace {

// Answers Yes to the one question a cancel asks.
class YesPrompter : public Prompter
{
public:
    MsgButton messageBoxEx(const QString &, MsgKind, const QStringList &, int, int) override
    {
        return MsgButton::Yes;
    }
};

struct EngineRun
{
    double seconds = 0;
    int reports = 0;
    double longestGapMs = 0;
    double cancelMs = -1;
};

EngineRun runEngine(const QString &source, const QString &target, qint64 blockBytes,
                    int cancelAfterMs)
{
    PosixFileOps ops;
    YesPrompter prompter;
    TStringFileList list(prompter);
    list.AddFile(source);
    CopyMoveRun run(ops, prompter);
    CopyMoveOptions options;
    options.targetDir = target;
    options.singleDir = true;
    options.overwriteNewerPrompt = false;
    options.blockBytes = blockBytes;
    EngineRun r;
    QElapsedTimer clock;
    qint64 lastReport = 0;
    QObject::connect(&run, &CopyMoveRun::fileProgress, &run, [&](int) {
        ++r.reports;
        const qint64 now = clock.nsecsElapsed();
        r.longestGapMs = std::max(r.longestGapMs, (now - lastReport) / 1e6);
        lastReport = now;
    });
    QElapsedTimer sinceCancel;
    QObject::connect(&run, &CopyMoveRun::finished, &run, [&](bool) {
        r.seconds = clock.nsecsElapsed() / 1e9;
        if (sinceCancel.isValid())
            r.cancelMs = sinceCancel.nsecsElapsed() / 1e6;
        QCoreApplication::quit();
    });
    if (cancelAfterMs > 0)
        QTimer::singleShot(cancelAfterMs, &run, [&] {
            sinceCancel.start();
            run.requestCancel();
        });
    clock.start();
    run.start(options, list);
    QCoreApplication::exec();
    return r;
}

double runCp(const QString &source, const QString &target)
{
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QStringLiteral("cp"), {source, target});
    return clock.nsecsElapsed() / 1e9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    qint64 mib = args.size() > 1 ? args.at(1).toLongLong() : 2048;
    const QString base = args.size() > 2 ? args.at(2) : QDir::currentPath();
    const QStorageInfo disk(base);
    // Source and two copies must fit, with room to spare for everyone else.
    const qint64 room = disk.bytesAvailable() / (1 << 20);
    if (room < mib * 3 + 4096) {
        mib = std::max<qint64>(64, (room - 4096) / 3);
        std::printf("not enough free space for the full size: using %lld MiB\n", mib);
    }
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_copy-XXXXXX")));
    const QString source = dir.filePath(QStringLiteral("source.bin"));
    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString theirs = dir.filePath(QStringLiteral("cp.bin"));
    QDir().mkpath(ours);
    {
        QFile f(source);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1 << 20, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char((i * 131) ^ (i >> 7));
        for (qint64 i = 0; i < mib; ++i) {
            block[0] = char(i);
            f.write(block);
        }
    }
    const double mb = double(mib) * 1.048576;
    std::printf("file: %lld MiB on %s (%s)\n", mib, qPrintable(disk.rootPath()),
                disk.fileSystemType().constData());

    for (const qint64 blockBytes : {qint64(1) << 20, qint64(32768)}) {
        std::vector<double> cpTimes, ourTimes;
        EngineRun last;
        // Alternating which goes first, each starting with the disk's dirty pages written out,
        // so that neither pays for the other's write-back.
        for (int round = 0; round < 5; ++round) {
            for (int turn = 0; turn < 2; ++turn) {
                ::sync();
                if ((round + turn) % 2 == 0) {
                    cpTimes.push_back(runCp(source, theirs));
                    QFile::remove(theirs);
                } else {
                    last = runEngine(source, ours, blockBytes, 0);
                    ourTimes.push_back(last.seconds);
                    QFile::remove(QDir(ours).filePath(QStringLiteral("source.bin")));
                }
            }
        }
        const double cpS = median(cpTimes);
        const double ourS = median(ourTimes);
        const double cpBest = *std::min_element(cpTimes.begin(), cpTimes.end());
        const double ourBest = *std::min_element(ourTimes.begin(), ourTimes.end());
        std::printf("block %lld bytes: median cp %.0f MB/s, engine %.0f MB/s, ratio %.2f; best "
                    "cp %.0f MB/s, engine %.0f MB/s, ratio %.2f (needs >= 0.80); progress %.1f "
                    "reports/s (needs >= 4), longest gap %.0f ms\n",
                    blockBytes, mb / cpS, mb / ourS, cpS / ourS, mb / cpBest, mb / ourBest,
                    cpBest / ourBest, last.reports / last.seconds, last.longestGapMs);
    }
    const EngineRun cancelled = runEngine(source, ours, qint64(1) << 20, 300);
    std::printf(
        "cancel answered in %.1f ms (needs <= 200); target folder left with %lld "
        "entries\n",
        cancelled.cancelMs,
        qint64(
            QDir(ours).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size()));
    return 0;
}
