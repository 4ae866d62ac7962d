#include "editors/SlideOverview.h"

#include "support/Utf8Strings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

OverviewRow file(const char *dir, const QString &name, const char *ext = "jpg")
{
    OverviewRow r;
    r.dir = QString::fromUtf8(dir);
    r.name = name;
    r.ext = QString::fromUtf8(ext);
    r.kind = QStringLiteral("I");
    return r;
}

OverviewRow title(const char *prompt, const char *answers = "")
{
    OverviewRow r;
    r.kind = QStringLiteral("T");
    r.prompt = QString::fromUtf8(prompt);
    r.answers = QString::fromUtf8(answers);
    return r;
}

QStringList entries(const SlideIndex &index)
{
    QStringList out;
    for (const IndexEntry &e : index.entries)
        out << e.dir + QLatin1Char('/') + e.name + QLatin1Char('.') + e.ext + QLatin1Char('=') +
                   e.num;
    return out;
}

} // namespace

class SlideOverviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indexMergesTheSameFile()
    {
        const char *d = "/f";
        std::vector<OverviewRow> rows{file(d, u"b"_s), file(d, u"a"_s), title("T"),
                                      file(d, u"c"_s), file(d, u"a"_s), file(d, u"Z"_s),
                                      file(d, u"d"_s), file(d, u"e"_s), file(d, u"a"_s)};
        SlideIndex index = BuildSlideIndex(rows, false);
        QCOMPARE(entries(index), (sl({"/f/a.jpg=2, 5, 9", "/f/b.jpg=1", "/f/c.jpg=4", "/f/d.jpg=7",
                                      "/f/e.jpg=8", "/f/Z.jpg=6"})));
        QVERIFY(!index.severalDirs);

        // The same picture sorting last still merges; a later entry of another folder then makes
        // the index show its folders.
        rows = {file(d, u"z"_s), file(d, u"a"_s), file(d, u"z"_s)};
        index = BuildSlideIndex(rows, true);
        QCOMPARE(entries(index), (sl({"/f/a.jpg=2", "/f/z.jpg=1, 3"})));
        QVERIFY(!index.severalDirs);
        rows.push_back(file("/g", u"a"_s));
        index = BuildSlideIndex(rows, true);
        QCOMPARE(entries(index), (sl({"/f/a.jpg=2", "/f/z.jpg=1, 3", "/g/a.jpg=4"})));
        QVERIFY(index.severalDirs);
        QCOMPARE(SlideIndexLines(index, true, false),
                 (sl({"/f", "a\t2", "z\t1, 3", "/g", "a\t4"})));
        QCOMPARE(SlideIndexLines(index, true, true), (sl({"/f", "a", "z", "/g", "a"})));
        // Sorted by name alone, no folder lines.
        index = BuildSlideIndex(rows, false);
        QCOMPARE(SlideIndexLines(index, false, false), (sl({"a\t2", "a\t4", "z\t1, 3"})));
    }

    void indexLeavesOutHiddenInvalidAndTitles()
    {
        std::vector<OverviewRow> rows{title("T"), file("/f", u"a"_s), file("/f", u"b"_s)};
        rows[1].shown = false;
        rows[2].valid = false;
        QVERIFY(BuildSlideIndex(rows, false).entries.empty());
        QCOMPARE(NothingToIndexText(), QStringLiteral("No hi ha cap arxiu vàlid a indexar"));
        // Letter case matters when merging, not when sorting.
        rows = {file("/f", u"a"_s), file("/f", u"A"_s), file("/f", u"a"_s, "JPG")};
        QCOMPARE(BuildSlideIndex(rows, false).entries.size(), std::size_t(3));
        // Rows of one file stay together whatever stands between them in other folders.
        rows = {file("/f", u"a"_s), file("/e", u"a"_s), file("/f", u"a"_s), file("/g", u"A"_s),
                file("/f", u"a"_s)};
        QCOMPARE(entries(BuildSlideIndex(rows, false)),
                 sl({"/e/a.jpg=2", "/f/a.jpg=1, 3, 5", "/g/A.jpg=4"}));
    }

    void indexNumbersAreCutAt20()
    {
        std::vector<OverviewRow> rows(12, file("/f", u"a"_s));
        const SlideIndex index = BuildSlideIndex(rows, false);
        QCOMPARE(index.entries.size(), std::size_t(1));
        QCOMPARE(index.entries[0].num, QStringLiteral("1, 2, 3, 4, 5, 6, 7,"));
    }

    void sketchNumbersAndMarkers()
    {
        std::vector<OverviewRow> rows;
        for (int i = 1; i <= 120; ++i)
            rows.push_back(file("/f", QStringLiteral("s%1").arg(i)));
        rows[1] = title("Hola|món", "adéu");
        rows[1].shown = false;
        rows[4].valid = false;
        QStringList lines = SlideSketchLines(rows, false, false, false);
        QCOMPARE(lines.size(), 120);
        QCOMPARE(lines[0], QStringLiteral("  1  s1"));
        QCOMPARE(lines[1], QStringLiteral("  2  !Hola"));
        QCOMPARE(lines[4], QStringLiteral("  5  !s5"));
        QCOMPARE(lines[6], QStringLiteral("  7  s7"));
        QCOMPARE(lines[119], QStringLiteral("120  s120"));
        lines = SlideSketchLines(rows, false, true, false);
        QCOMPARE(lines[6], QStringLiteral("7\ts7"));
        QCOMPARE(lines[1], QStringLiteral("2\t!Hola"));
        lines = SlideSketchLines(rows, false, false, true);
        QCOMPARE(lines[6], QStringLiteral("s7"));
        QCOMPARE(lines[1], QStringLiteral("!Hola"));
    }

    void sketchWithAllParagraphs()
    {
        std::vector<OverviewRow> rows{title("A|B", "C"), file("/f", u"x"_s), file("/f", u"y"_s),
                                      title("Sol")};
        rows[1].prompt = QStringLiteral("nota 1|nota 2");
        rows[1].answers = QStringLiteral("més");
        QCOMPARE(SlideSketchLines(rows, true, true, false),
                 (sl({"1\tA", "\tB", "\tC", "2\tx", "\tnota 1", "\tnota 2", "\tmés", "3\ty", "\t",
                      "4\tSol"})));
    }
};

QTEST_GUILESS_MAIN(SlideOverviewTest)
#include "SlideOverviewTest.moc"
