// Opening and validating large slide lists, against a plain read of the same file into lines.
// Prints times and their ratio; it is not a test and asserts nothing.

#include "BenchFiles.h"
#include "BenchStats.h"

#include "files/Prompter.h"
#include "player/NullPlayerView.h"
#include "player/PresentationSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void benchLines(const QString &dir, int count, bool hiddenFirst)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 48);
    for (int i = 0; i < count; ++i) {
        bytes += "C:\\Imatges\\s\xE8rie\\foto" + QByteArray::number(i) + ".jpg\t";
        bytes += (hiddenFirst && i + 1 < count) ? "H" : "B";
        bytes += "\tNota\tSegona l\xEDnia\t\t\r\n";
    }
    const QString path = writeBenchFile(dir + QStringLiteral("/big%1.sal").arg(count), bytes);

    std::vector<double> ours, reference;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        const QStringList plain = QString::fromLatin1(in.readAll()).split(QStringLiteral("\r\n"));
        reference.push_back(double(t.nsecsElapsed()) / 1e6);
        Q_UNUSED(plain);

        NullPlayerView view;
        SilentPrompter prompter;
        PresentationSession session(view, prompter);
        session.SlideListPath = path;
        t.restart();
        session.LoadPresentation();
        ours.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    const double o = medianMs(ours), r = medianMs(reference);
    std::printf("%8d lines%s: open+validate %8.1f ms, plain read+split %8.1f ms, ratio %.2f\n",
                count, hiddenFirst ? " (all hidden but last)" : "", o, r, o / r);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    benchLines(dir.path(), 100000, false);
    benchLines(dir.path(), 100000, true);
    benchLines(dir.path(), 1000000, true);
    return 0;
}
