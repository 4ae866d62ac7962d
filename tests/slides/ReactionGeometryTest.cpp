#include "slides/ReactionGeometry.h"

#include <QTest>

class ReactionGeometryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void limitBoxRoundsEachDimension_data()
    {
        QTest::addColumn<QSize>("referent");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("half a screen") << QSize(1920, 1080) << 50 << QSize(960, 540);
        // 330.33 rounds down, 109.89 rounds up: each dimension on its own.
        QTest::newRow("rounded") << QSize(1001, 333) << 33 << QSize(330, 110);
        QTest::newRow("half pixel rounds up") << QSize(101, 3) << 50 << QSize(51, 2);
        QTest::newRow("whole referent") << QSize(800, 600) << 100 << QSize(800, 600);
        QTest::newRow("smallest dialog value") << QSize(1366, 768) << 10 << QSize(137, 77);
    }
    void limitBoxRoundsEachDimension()
    {
        QFETCH(QSize, referent);
        QFETCH(int, percent);
        QFETCH(QSize, expected);
        QCOMPARE(reactionLimitBox(referent, percent), expected);
    }

    void pictureKeepsItsSizeOrShrinksInProportion_data()
    {
        QTest::addColumn<QSize>("enlarged");
        QTest::addColumn<QSize>("limit");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("fits: never enlarged")
            << QSize(200, 100) << QSize(960, 540) << QSize(200, 100);
        QTest::newRow("exactly the box") << QSize(960, 540) << QSize(960, 540) << QSize(960, 540);
        QTest::newRow("too wide") << QSize(2000, 500) << QSize(1000, 800) << QSize(1000, 250);
        QTest::newRow("too tall") << QSize(300, 1200) << QSize(1000, 600) << QSize(150, 600);
        // Both too big: the tighter dimension decides.
        QTest::newRow("both, height decides")
            << QSize(1600, 1600) << QSize(1000, 500) << QSize(500, 500);
        QTest::newRow("both, width decides")
            << QSize(4000, 1000) << QSize(1000, 800) << QSize(1000, 250);
        QTest::newRow("no picture") << QSize(0, 0) << QSize(1000, 800) << QSize(0, 0);
    }
    void pictureKeepsItsSizeOrShrinksInProportion()
    {
        QFETCH(QSize, enlarged);
        QFETCH(QSize, limit);
        QFETCH(QSize, expected);
        const QSize got = reactionPictureSize(enlarged, limit);
        QCOMPARE(got, expected);
        QVERIFY(got.width() <= limit.width() && got.height() <= limit.height());
    }
};

QTEST_GUILESS_MAIN(ReactionGeometryTest)
#include "ReactionGeometryTest.moc"
