// A radio-button quiz from a words table of 500, 1,000 and 2,000 rows: generating the slides and
// writing the list, against writing a list of the same size that is already made. Every slide
// holds every answer of the table, so the list itself grows with the square of the rows; the
// ratio shows what the generation adds to that.

#include "BenchStats.h"

#include "config/PresentationSettings.h"
#include "editors/QuizGeneration.h"
#include "files/Prompter.h"
#include "presentation/SlideList.h"
#include "tables/MeaningTables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

MemTable wordTable(int rows)
{
    MemTable t = makeWordTable();
    for (int i = 0; i < rows; ++i) {
        MemTable::Record r = t.emptyRecord();
        (void)t.setField(r, 0, QStringLiteral("paraula%1").arg((i * 7919) % rows));
        (void)t.setField(r, 1, QStringLiteral("significat de la paraula %1").arg(i));
        (void)t.append(r);
    }
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath(QStringLiteral("quiz.sal"));
    const QString plain = QDir(dir.path()).filePath(QStringLiteral("ja-feta.sal"));
    double previous = 0;
    for (int rows : {500, 1000, 2000}) {
        std::vector<double> generation, reference;
        qint64 bytes = 0;
        for (int run = 0; run < 3; ++run) {
            MemTable table = wordTable(rows);
            SilentPrompter prompter;
            QFile::remove(target);
            QElapsedTimer t;
            t.start();
            const GeneratedSlides g =
                GenerateWordSlides(table, GenerationChoices(), FontSettings());
            (void)WriteQuiz(target, AssembleQuiz(AccessorySlides(), g.lines), g.longestAnswers,
                            prompter);
            generation.push_back(elapsedMs(t));
            bytes = QFileInfo(target).size();

            SlideList made;
            made.lines = g.lines;
            t.restart();
            (void)made.save(plain, prompter);
            reference.push_back(elapsedMs(t));
        }
        const double ms = medianMs(generation);
        std::printf(
            "%5d rows: generated and written in %7.1f ms (%5.1f MB), writing alone %6.1f ms"
            " (%.1f x)%s\n",
            rows, ms, double(bytes) / 1e6, medianMs(reference), ms / medianMs(reference),
            previous > 0
                ? qPrintable(QStringLiteral("; %1 x the half size").arg(ms / previous, 0, 'f', 1))
                : "");
        previous = ms;
    }
    return 0;
}
