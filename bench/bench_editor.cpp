// The slide list editor on a large list: opening 10,000 rows (rows loaded and the grid shown),
// writing them back, renumbering the jumps on an insertion, a deletion and a move, and the right
// miniature of a 24-megapixel JPEG. Each is printed with the time of a plain reference in the
// same run: reading and splitting the list's lines, and decoding the picture at full size.

#include "BenchFiles.h"
#include "BenchStats.h"

#include "config/ProgramOptions.h"
#include "editors/SlideListRows.h"
#include "editors/ui/Miniature.h"
#include "files/Prompter.h"
#include "presentation/SlideList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRows = 10000;

QStringList makeLines(const QString &folder)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    QStringList lines;
    for (int i = 0; i < 50; ++i)
        img.save(QDir(folder).filePath(QStringLiteral("p%1.png").arg(i)), "PNG");
    for (int i = 0; i < kRows; ++i) {
        const QString pic = QDir(folder).filePath(QStringLiteral("p%1.png").arg(i % 50));
        if (i % 5 == 0)
            lines << QStringLiteral("\tXP\tPregunta %1?\t*sí//*%2|no//*%3|potser\t\t")
                         .arg(i)
                         .arg((i * 7) % kRows + 1)
                         .arg((i * 13) % kRows + 1);
        else
            lines << QStringLiteral("%1\t*%2\tNota %3\tSegona línia|tercera\t%4\t")
                         .arg(pic)
                         .arg((i * 11) % kRows + 1)
                         .arg(i)
                         .arg(i % 30);
    }
    return lines;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList lines = makeLines(dir.path());
    const QString listPath = QDir(dir.path()).filePath(QStringLiteral("gran.sal"));
    {
        SlideList list;
        list.lines = lines;
        SilentPrompter p;
        (void)list.save(listPath, p);
    }

    std::vector<double> reference, open, save, insert, remove, move;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        SlideList plain;
        (void)plain.load(listPath);
        int tabs = 0;
        for (const QString &l : plain.lines)
            tabs += int(l.split(QLatin1Char('\t')).size());
        reference.push_back(elapsedMs(t));
        (void)tabs;

        SilentPrompter prompter;
        ProgramOptions options;
        t.restart();
        SlideList list;
        (void)list.load(listPath);
        SlideListRows rows(prompter, options);
        rows.loadLines(list.lines);
        QTableView grid;
        grid.setModel(&rows);
        grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 4);
        grid.resize(1200, 700);
        grid.show();
        QApplication::processEvents();
        open.push_back(elapsedMs(t));

        t.restart();
        SlideList out;
        out.lines = rows.writeLines();
        (void)out.save(QDir(dir.path()).filePath(QStringLiteral("copia.sal")), prompter);
        save.push_back(elapsedMs(t));

        rows.setCurrent(kRows / 2);
        t.restart();
        rows.addTitleRow(true);
        insert.push_back(elapsedMs(t));
        t.restart();
        rows.deleteRows({kRows / 3});
        remove.push_back(elapsedMs(t));
        rows.setCurrent(kRows / 4);
        t.restart();
        rows.moveDown();
        move.push_back(elapsedMs(t));
    }
    const double ref = medianMs(reference);
    std::printf("%d rows; reference (read and split the list): %.1f ms\n", kRows, ref);
    std::printf("open in the editor (rows loaded, grid shown): %.1f ms  (%.1f x reference)\n",
                medianMs(open), medianMs(open) / ref);
    std::printf("save: %.1f ms  (%.1f x reference)\n", medianMs(save), medianMs(save) / ref);
    std::printf("insert with renumbering: %.1f ms  (%.2f x reference)\n", medianMs(insert),
                medianMs(insert) / ref);
    std::printf("delete with renumbering: %.1f ms  (%.2f x reference)\n", medianMs(remove),
                medianMs(remove) / ref);
    std::printf("move with renumbering: %.1f ms  (%.2f x reference)\n", medianMs(move),
                medianMs(move) / ref);

    // A 24-megapixel JPEG: the miniature against a full decode of the same file.
    QImage big(6000, 4000, QImage::Format_RGB32);
    {
        QPainter p(&big);
        QLinearGradient g(0, 0, 6000, 4000);
        g.setColorAt(0, Qt::darkBlue);
        g.setColorAt(1, Qt::yellow);
        p.fillRect(big.rect(), g);
        p.setPen(QPen(Qt::white, 20));
        for (int k = 0; k < 80; ++k)
            p.drawEllipse(QPoint((k * 311) % 6000, (k * 173) % 4000), 200 + k, 120 + k);
    }
    const QString jpeg = QDir(dir.path()).filePath(QStringLiteral("gran.jpg"));
    big.save(jpeg, "JPEG", 90);
    std::vector<double> full, mini;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        QImageReader reader(jpeg);
        const QImage whole = reader.read();
        full.push_back(elapsedMs(t));
        (void)whole;

        Miniature m;
        m.setFixedSize(72, 72);
        m.show();
        QApplication::processEvents();
        t.restart();
        m.showPicture(jpeg);
        while (!m.pictureReady())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        mini.push_back(elapsedMs(t));
    }
    std::printf("24-megapixel JPEG: full decode %.1f ms; miniature on screen %.1f ms  (%.2f x)\n",
                medianMs(full), medianMs(mini), medianMs(mini) / medianMs(full));
    return 0;
}
