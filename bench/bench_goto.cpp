// Opening the go-to window on a list of 100,000 lines: filling its table from the list, then
// making and showing the window with the current slide selected, against reading the list
// alone. Prints times and their ratio; it is not a test and asserts nothing.

#include "BenchFiles.h"
#include "BenchStats.h"

#include "files/MemTable.h"
#include "files/TPosSizeSel.h"
#include "player/SlideGoto.h"
#include "player/ui/TFSelGotoImage.h"
#include "presentation/SlideList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// 1,000 pictures named over and over, every fifth line a title, every fiftieth hidden.
QString writeList(const QString &dir, int count)
{
    for (int i = 0; i < 1000; ++i) {
        QFile f(dir + QStringLiteral("/foto%1.png").arg(i));
        f.open(QIODevice::WriteOnly);
    }
    const QByteArray folder = QFile::encodeName(dir);
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 80);
    for (int i = 0; i < count; ++i) {
        if (i % 5 == 0)
            bytes += "\tT\tT\xEDtol " + QByteArray::number(i) + "|segona l\xEDnia\t\t\t\r\n";
        else
            bytes += folder + "/foto" + QByteArray::number(i % 1000) + ".png\t" +
                     (i % 50 == 1 ? "H" : "B") + "\tNota " + QByteArray::number(i) +
                     "|m\xE9s\tSegona\t\t\r\n";
    }
    return writeBenchFile(dir + QStringLiteral("/gran.sal"), bytes);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const int count = 100000;
    const QString path = writeList(dir.path(), count);

    std::vector<double> read, fill, open, total;
    int records = 0;
    TPosSizeSel memory;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        SlideList list;
        (void)list.load(path);
        read.push_back(double(t.nsecsElapsed()) / 1e6);

        t.restart();
        MemTable table = MakeGotoSlidesTable();
        if (!FillGotoSlides(table, list).ok())
            return 1;
        const double filled = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        {
            TFSelGotoImage window(table, memory);
            // As when a run stopped near the end of the list.
            window.selectRecord(GotoRecordOf(table, count - 10));
            window.show();
            QApplication::processEvents();
            window.reject();
        }
        const double opened = double(t.nsecsElapsed()) / 1e6;
        fill.push_back(filled);
        open.push_back(opened);
        total.push_back(filled + opened);
        records = table.recordCount();
    }
    const double reading = medianMs(read), all = medianMs(total);
    std::printf("%d lines, %d records in the go-to window\n", count, records);
    std::printf("read alone %8.1f ms | fill %8.1f ms + window %8.1f ms = %8.1f ms | ratio %.2f\n",
                reading, medianMs(fill), medianMs(open), all, all / reading);
    return 0;
}
