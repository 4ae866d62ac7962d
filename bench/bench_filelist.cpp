// Showing a folder of 10,000 files in the explorer list: the time until the first rows are on
// screen, until the whole folder is listed and sorted, and the longest wait of the event loop
// while that happens (a timer ticking every 2 ms), against a plain QDir listing of the same
// folder sorted by name. Prints times and their ratios; it is not a test and asserts nothing.

#include "BenchStats.h"

#include "files/FileListModel.h"
#include "files/Prompter.h"
#include "files/ui/QtShell.h"
#include "files/ui/TLsFilelistView27.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void makeFolder(const QString &dir, int count)
{
    const QStringList extensions{QStringLiteral("jpg"), QStringLiteral("txt"),
                                 QStringLiteral("wav"), QStringLiteral("sal")};
    for (int i = 0; i < count; ++i) {
        QFile f(dir + QStringLiteral("/arxiu %1.%2").arg(i * 7919 % count).arg(extensions[i % 4]));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(i % 97, 'x'));
    }
    for (int i = 0; i < 20; ++i)
        QDir(dir).mkdir(QStringLiteral("carpeta %1").arg(i));
}

struct Run
{
    double firstMs = 0;
    double fullMs = 0;
    double worstGapMs = 0;
};

Run showFolder(const QString &folder)
{
    SilentPrompter prompter;
    QtShell shell;
    TLsFilelistView27 list(prompter, shell);
    list.resize(800, 600);
    list.show();
    QApplication::processEvents();

    Run run;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setInterval(2);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        run.worstGapMs = std::max(run.worstGapMs, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    bool done = false;
    QObject::connect(&list.listModel(), &FileListModel::listingFinished, [&] {
        // The rows are in the model; they are on screen at the next paint.
        list.viewport()->repaint();
        run.firstMs = run.fullMs = double(clock.nsecsElapsed()) / 1e6;
        done = true;
    });
    sinceTick.start();
    probe.start();
    clock.start();
    list.SetDirectory(folder);
    while (!done)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    probe.stop();
    return run;
}

double plainListing(const QString &folder)
{
    QElapsedTimer clock;
    clock.start();
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDot, QDir::DirsFirst | QDir::Name);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (infos.size() < 10000)
        std::printf("short listing: %lld\n", static_cast<long long>(infos.size()));
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const int count = 10000;
    makeFolder(dir.path(), count);

    std::vector<double> plain, first, full, gaps;
    for (int round = 0; round < 5; ++round) {
        plain.push_back(plainListing(dir.path()));
        const Run r = showFolder(dir.path());
        first.push_back(r.firstMs);
        full.push_back(r.fullMs);
        gaps.push_back(r.worstGapMs);
    }
    const double plainMs = medianMs(plain);
    std::printf("folder of %d files, median of 5\n", count);
    std::printf("plain QDir listing, sorted by name:  %8.1f ms\n", plainMs);
    std::printf("first rows on screen:                %8.1f ms  (%.2fx plain; target <= 200 ms)\n",
                medianMs(first), medianMs(first) / plainMs);
    std::printf("fully listed and sorted:             %8.1f ms  (%.2fx plain; target <= 1000 ms)\n",
                medianMs(full), medianMs(full) / plainMs);
    std::printf("longest event-loop wait meanwhile:   %8.1f ms  (target < 50 ms)\n",
                medianMs(gaps));
    return 0;
}
