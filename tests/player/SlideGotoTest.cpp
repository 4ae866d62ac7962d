#include "player/SlideGoto.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"
#include "support/SlideListFixture.h"

#include <QTest>

namespace {

using L = SlideListFixture;

// The N column of every record.
QList<int> numbers(const MemTable &table)
{
    QList<int> ns;
    for (int i = 0; i < table.recordCount(); ++i)
        ns.append(table.value(i, QStringLiteral("N")).toInt());
    return ns;
}

} // namespace

class SlideGotoTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which lines become records, and where a malformed line stops the filling.
    void recordsLeaveOutWhatCannotBeShown_data()
    {
        QTest::addColumn<QString>("shape"); // per line: p picture, h hidden, m missing file,
                                            // t title, x malformed
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<bool>("ok");
        QTest::newRow("twelve, the fifth hidden")
            << QStringLiteral("pppphppppppp") << QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12}
            << true;
        QTest::newRow("missing files and titles")
            << QStringLiteral("tmpmt") << QList<int>{1, 3, 5} << true;
        QTest::newRow("malformed line stops")
            << QStringLiteral("ptxpp") << QList<int>{1, 2} << false;
        QTest::newRow("malformed first line") << QStringLiteral("xp") << QList<int>{} << false;
        QTest::newRow("every line hidden") << QStringLiteral("hhh") << QList<int>{} << true;
        QTest::newRow("empty list") << QString() << QList<int>{} << true;
    }
    void recordsLeaveOutWhatCannotBeShown()
    {
        QFETCH(QString, shape);
        QFETCH(QList<int>, expected);
        QFETCH(bool, ok);
        SlideListFixture fx;
        SlideList list;
        for (int i = 0; i < shape.size(); ++i) {
            const QString pic = QStringLiteral("p%1.png").arg(i + 1);
            switch (shape[i].toLatin1()) {
            case 'p': list.lines.append(L::line(fx.picture(pic))); break;
            case 'h': list.lines.append(L::line(fx.picture(pic), QStringLiteral("H"))); break;
            case 'm': list.lines.append(L::line(fx.path(QStringLiteral("absent.png")))); break;
            case 't': list.lines.append(L::line(QString(), {}, QStringLiteral("Títol"))); break;
            default: list.lines.append(QStringLiteral("trencada\tlínia")); break;
            }
        }
        MemTable table = MakeGotoSlidesTable();
        // A second filling starts afresh.
        (void)FillGotoSlides(table, list);
        const Fallible<void> filled = FillGotoSlides(table, list);
        QCOMPARE(filled.ok(), ok);
        if (!ok)
            QCOMPARE(filled.error(), MalformedLineMessage(shape.indexOf(QLatin1Char('x')) + 1));
        QCOMPARE(numbers(table), expected);
    }

    void namesAndExplanations()
    {
        SlideListFixture fx;
        SlideList list;
        const QString upper = fx.picture(QStringLiteral("Foto.PNG"));
        list.lines << L::line(upper, {}, QStringLiteral("Primer|segon"))
                   << L::line(QString(), {}, QStringLiteral("Títol|sub|tres"), QStringLiteral("x"));
        MemTable table = MakeGotoSlidesTable();
        QVERIFY(FillGotoSlides(table, list).ok());
        QCOMPARE(table.recordCount(), 2);
        // The extension follows the name in lower case, without the folder.
        QCOMPARE(table.value(0, QStringLiteral("Name")).toString(), QStringLiteral("Foto.png"));
        QCOMPARE(table.value(0, QStringLiteral("Explain")).toString(),
                 QStringLiteral("Primer | segon"));
        // A title slide has no name; only its first paragraph explains it.
        QCOMPARE(table.value(1, QStringLiteral("Name")).toString(), QString());
        QCOMPARE(table.value(1, QStringLiteral("Explain")).toString(),
                 QStringLiteral("Títol | sub | tres"));
    }

    // Line numbers beyond a 16-bit field's range are kept.
    void longListsKeepTheirNumbers()
    {
        SlideList list;
        for (int i = 0; i < 40000; ++i)
            list.lines.append(L::line(QString(), {}, QStringLiteral("T%1").arg(i)));
        MemTable table = MakeGotoSlidesTable();
        QVERIFY(FillGotoSlides(table, list).ok());
        QCOMPARE(table.recordCount(), 40000);
        QCOMPARE(table.value(39999, QStringLiteral("N")).toInt(), 40000);
        QCOMPARE(GotoRecordOf(table, 39999), 39999);
    }

    void recordToSelect_data()
    {
        QTest::addColumn<int>("slideIndex");
        QTest::addColumn<int>("record");
        QTest::newRow("slide after the hidden one") << 5 << 4;
        QTest::newRow("first slide") << 0 << 0;
        QTest::newRow("the hidden slide: first record") << 4 << 0;
        QTest::newRow("no position yet") << -1 << 0;
        QTest::newRow("beyond the list") << 50 << 0;
    }
    void recordToSelect()
    {
        QFETCH(int, slideIndex);
        QFETCH(int, record);
        SlideList list;
        for (int i = 0; i < 8; ++i)
            list.lines.append(L::line(QString(), i == 4 ? QStringLiteral("H") : QString(),
                                      QStringLiteral("T%1").arg(i)));
        MemTable table = MakeGotoSlidesTable();
        QVERIFY(FillGotoSlides(table, list).ok());
        QCOMPARE(GotoRecordOf(table, slideIndex), record);
        QCOMPARE(GotoRecordOf(MakeGotoSlidesTable(), 0), -1);
    }
};

QTEST_GUILESS_MAIN(SlideGotoTest)
#include "SlideGotoTest.moc"
