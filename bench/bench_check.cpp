// The presentation check of a list of 100,000 lines with 10,000 questions, as `--check` runs it
// (opening the list as the player does, then checking it), against reading the list alone.
// Prints times and their ratio; it is not a test and asserts nothing.

#include "BenchFiles.h"
#include "BenchStats.h"

#include "files/Prompter.h"
#include "player/NullPlayerView.h"
#include "player/PresentationSession.h"
#include "presentation/PresentationCheck.h"
#include "presentation/SlideList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// 1,000 pictures and 100 tracks named over and over; every tenth line a question, one line in a
// thousand naming a file that is not there.
QString writeList(const QString &dir, int count)
{
    for (int i = 0; i < 1000; ++i) {
        QFile f(dir + QStringLiteral("/foto%1.png").arg(i));
        f.open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < 100; ++i) {
        QFile f(dir + QStringLiteral("/so%1.mp3").arg(i));
        f.open(QIODevice::WriteOnly);
    }
    const QByteArray folder = QFile::encodeName(dir);
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 90);
    for (int i = 0; i < count; ++i) {
        const QByteArray picture =
            i % 1000 == 999 ? QByteArray("falta") : QByteArray::number(i % 1000);
        bytes += folder + "/foto" + picture + ".png\t";
        if (i % 10 == 0) {
            bytes += "XPR\tQuina resposta? " + QByteArray::number(i) +
                     "\t*Aquesta//Molt b\xE9|Una altra//*" +
                     QByteArray::number((i + 2) % count + 1) + "|La tercera//<0,5|La quarta\t\t";
        } else {
            bytes +=
                (i % 7 == 0 ? "H*" + QByteArray::number((i + 5) % count + 1) : QByteArray("B"));
            bytes += "\tNota\tSegona l\xEDnia\t\t";
        }
        if (i % 3 == 0)
            bytes += folder + "/so" + QByteArray::number(i % 100) + ".mp3";
        bytes += "\r\n";
    }
    return writeBenchFile(dir + QStringLiteral("/gran.sal"), bytes);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int count = 100000;
    const QString path = writeList(dir.path(), count);

    std::vector<double> read, open, check, total;
    int errors = 0, hidden = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        SlideList alone;
        (void)alone.load(path);
        read.push_back(double(t.nsecsElapsed()) / 1e6);

        NullPlayerView view;
        SilentPrompter prompter;
        PresentationSession session(view, prompter);
        session.SlideListPath = path;
        t.restart();
        session.LoadPresentation();
        const double opened = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        const PresentationCheckResult r =
            CheckPresentation(session.SlideLines, session.SoundTable, &prompter);
        const double checked = double(t.nsecsElapsed()) / 1e6;
        open.push_back(opened);
        check.push_back(checked);
        total.push_back(opened + checked);
        errors = int(r.errors.size());
        hidden = r.hiddenCount;
    }
    const double reading = medianMs(read), all = medianMs(total);
    std::printf("%d lines, %d questions: %d error lines, %d hidden\n", count, count / 10, errors,
                hidden);
    std::printf("read alone %8.1f ms | open %8.1f ms + check %8.1f ms = %8.1f ms | ratio %.2f\n",
                reading, medianMs(open), medianMs(check), all, all / reading);
    return 0;
}
