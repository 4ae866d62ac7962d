// Searches a branch of 50,000 folders by name as the folder trees do (the branch read off the
// window's thread in tree order, then matched), against a plain recursive QDirIterator walk of
// the same folders. While the search runs the main thread's event loop is probed every 2 ms: the
// longest gap between probes is the longest the window would have been unresponsive. Prints
// medians of the runs and their ratio. Usage: bench_tree_search [folders, default 50000]. It is
// not a test and asserts nothing.

#include "BenchStats.h"

#include "files/FolderBranch.h"
#include "files/TreeFind.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct SearchRun
{
    double ms = 0;
    double longestGapMs = 0;
    int found = -1;
    qsizetype entries = 0;
};

// The search on a worker thread, with the event loop of this thread probed meanwhile.
SearchRun searchOffThread(const QString &top, const QString &text)
{
    SearchRun r;
    std::atomic_bool cancel{false};
    std::atomic<qint64> count{0};
    FolderBranch branch;
    QElapsedTimer clock;
    clock.start();
    QThread *worker = QThread::create([&] {
        branch = readFolderBranch(top, cancel, count);
        r.found = findInBranch(branch, -1, text);
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(2);
    qint64 last = clock.nsecsElapsed();
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        r.longestGapMs = std::max(r.longestGapMs, double(now - last) / 1e6);
        last = now;
    });
    probe.start();
    worker->start();
    loop.exec();
    r.ms = double(clock.nsecsElapsed()) / 1e6;
    worker->wait();
    delete worker;
    r.entries = qsizetype(branch.entries.size());
    return r;
}

double plainWalk(const QString &top, qsizetype &count)
{
    QElapsedTimer clock;
    clock.start();
    count = 0;
    QDirIterator it(top, QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int wanted = argc > 1 ? std::max(1000, atoi(argv[1])) : 50000;
    // Three levels of about equal fan-out: n = a * a * a folders at the bottom.
    const int fan = int(std::ceil(std::cbrt(double(wanted))));
    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QElapsedTimer making;
    making.start();
    int made = 0;
    QDir base(tmp.path());
    for (int a = 0; a < fan && made < wanted; ++a)
        for (int b = 0; b < fan && made < wanted; ++b)
            for (int c = 0; c < fan && made < wanted; ++c, ++made)
                base.mkpath(QStringLiteral("Carpeta %1/Fotos %2/Àlbum %3").arg(a).arg(b).arg(c));
    std::printf("made %d bottom folders (fan-out %d) in %.0f ms\n", made, fan,
                double(making.elapsed()));

    // The worst search: a name that is not there, so the whole branch is walked.
    const QString text = QStringLiteral("NO HI ÉS*");
    std::vector<double> ours, plain, gaps;
    qsizetype walked = 0;
    qsizetype entries = 0;
    for (int round = 0; round < 5; ++round) {
        // Alternate who goes first, so neither always finds the other's cache warm.
        if (round % 2 == 0) {
            plain.push_back(plainWalk(tmp.path(), walked));
            const SearchRun r = searchOffThread(tmp.path(), text);
            ours.push_back(r.ms);
            gaps.push_back(r.longestGapMs);
            entries = r.entries;
        } else {
            const SearchRun r = searchOffThread(tmp.path(), text);
            ours.push_back(r.ms);
            gaps.push_back(r.longestGapMs);
            entries = r.entries;
            plain.push_back(plainWalk(tmp.path(), walked));
        }
    }
    const double o = medianMs(ours);
    const double p = medianMs(plain);
    std::printf("folders walked: search %lld, QDirIterator %lld\n", qlonglong(entries),
                qlonglong(walked));
    std::printf("tree search (read + match, off thread): median %.1f ms\n", o);
    std::printf("plain QDirIterator walk:                median %.1f ms\n", p);
    std::printf("ratio search / plain walk: %.2f\n", o / p);
    std::printf("event loop: longest gap during the search %.1f ms (median of runs %.1f ms)\n",
                *std::max_element(gaps.begin(), gaps.end()), medianMs(gaps));
    return 0;
}
