#include "media/ImageGeometry.h"
#include "media/ImageMark.h"

#include <QTest>

#include <limits>

using namespace ImageGeometry;

class ImageGeometryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitRect_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("fits, not enlarged") << QSize(400, 400) << QSize(100, 50) << QSize(100, 50);
        QTest::newRow("wider and higher, width rules")
            << QSize(500, 500) << QSize(1000, 800) << QSize(500, 400);
        QTest::newRow("wider and higher, height rules")
            << QSize(500, 300) << QSize(1000, 800) << QSize(375, 300);
        QTest::newRow("only higher") << QSize(400, 100) << QSize(200, 400) << QSize(50, 100);
        QTest::newRow("only wider") << QSize(150, 400) << QSize(200, 100) << QSize(150, 75);
        QTest::newRow("enlarged size handed in")
            << QSize(150, 400) << QSize(200, 100) << QSize(150, 75);
        QTest::newRow("exact") << QSize(300, 200) << QSize(300, 200) << QSize(300, 200);
        QTest::newRow("truncated toward zero")
            << QSize(333, 1000) << QSize(1000, 1000) << QSize(333, 333);
        QTest::newRow("empty area") << QSize(0, 0) << QSize(10, 10) << QSize(0, 0);
        QTest::newRow("empty picture") << QSize(100, 100) << QSize(0, 10) << QSize(0, 0);
    }
    void fitRect()
    {
        QFETCH(QSize, area);
        QFETCH(QSize, picture);
        QFETCH(QSize, fitted);
        const QRect r = FitRect(area.width(), area.height(), picture.width(), picture.height());
        QCOMPARE(r.topLeft(), QPoint(0, 0));
        QCOMPARE(r.size(), fitted);
    }

    void centerRectUsesIntegerHalves()
    {
        QCOMPARE(CenterRect(QRect(10, 20, 101, 51), QRect(0, 0, 40, 20)), QRect(40, 35, 40, 20));
        QCOMPARE(CenterRect(QRect(0, 0, 100, 100), QRect(5, 5, 101, 3)), QRect(0, 49, 101, 3));
    }

    void zoomPlacement_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("start");
        QTest::newRow("smaller: centred") << 400 << 200 << 0 << 100;
        QTest::newRow("smaller, odd difference") << 401 << 200 << 70 << 100;
        QTest::newRow("larger, scrolled") << 400 << 1000 << 300 << -300;
        QTest::newRow("larger, scrolled to the end") << 400 << 1000 << 600 << -600;
        QTest::newRow("offset past the end") << 400 << 1000 << 700 << -600;
        QTest::newRow("equal") << 400 << 400 << 0 << 0;
    }
    void zoomPlacement()
    {
        QFETCH(int, extent);
        QFETCH(int, size);
        QFETCH(int, offset);
        QFETCH(int, start);
        QCOMPARE(ImageGeometry::zoomPlacement(extent, size, offset), start);
    }

    void selectionsUnderFivePixelsDoNotZoom()
    {
        const QRect pic(0, 0, 400, 300);
        QVERIFY(!zoomForSelection(QRect(10, 10, 4, 100), pic, {400, 300}, {400, 300}, 100));
        QVERIFY(!zoomForSelection(QRect(10, 10, 100, 4), pic, {400, 300}, {400, 300}, 100));
        QVERIFY(zoomForSelection(QRect(10, 10, 5, 5), pic, {400, 300}, {400, 300}, 100));
    }

    void manualZoomRatio()
    {
        // A 400x300 picture at 100% in a 400x300 area (it overflows neither... nor both): the
        // scaled size equals the area, so both overflow and the smaller ratio is taken.
        const QRect pic(0, 0, 400, 300);
        auto z = zoomForSelection(QRect(100, 50, 100, 50), pic, {400, 300}, {400, 300}, 100);
        QVERIFY(z);
        QCOMPARE(z->zoomPercent, 400); // min(400/100, 300/50)
        QCOMPARE(z->offset, QPoint(400, 200));
        // A picture drawn at 50% (800x600 into 400x300) and a small one in a big area.
        z = zoomForSelection(QRect(0, 0, 200, 100), pic, {800, 600}, {400, 300}, 50);
        QVERIFY(z);
        QCOMPARE(z->zoomPercent, 100); // min(400/200, 300/100) * 50
        z = zoomForSelection(QRect(50, 25, 50, 10), QRect(50, 25, 100, 50), {100, 50}, {400, 300},
                             100);
        QVERIFY(z);
        QCOMPARE(z->zoomPercent, 500); // neither overflows: max(100/50, 50/10)
        QCOMPARE(z->offset, QPoint(0, 0));
        // Already zoomed, the picture scrolled left: offsets count from its own origin.
        z = zoomForSelection(QRect(0, 0, 100, 75), QRect(-200, -150, 800, 600), {400, 300},
                             {400, 300}, 200);
        QVERIFY(z);
        QCOMPARE(z->zoomPercent, 800);
        QCOMPARE(z->offset, QPoint(800, 600));
    }

    void selectionIsOrderedAndClipped()
    {
        const QRect pic(50, 40, 200, 100);
        QCOMPARE(normalisedSelection({300, 20}, {100, 90}, pic),
                 QRect(QPoint(100, 40), QSize(150, 50)));
        QCOMPARE(normalisedSelection({0, 0}, {10, 10}, pic).width() < 5, true);
    }

    void markPositions()
    {
        const QRect pic(100, 50, 400, 200);
        QCOMPARE(markRect(pic, {500, 500}, {20, 20}), QRect(290, 140, 20, 20));
        QCOMPARE(markRect(pic, {0, 1000}, {11, 11}), QRect(95, 245, 11, 11));
        QCOMPARE(markPosFromClick({300, 150}, pic), std::optional<QPoint>(QPoint(500, 500)));
        QCOMPARE(markPosFromClick({100, 50}, pic), std::optional<QPoint>(QPoint(0, 0)));
        QVERIFY(!markPosFromClick({99, 60}, pic));
        QVERIFY(!markPosFromClick({500, 60}, pic));
    }

    void markVisibilityAndConstantRatio()
    {
        ImageMark mark;
        mark.setMarkSize(20);
        mark.setMarkPos({-1, 500});
        QVERIFY(!mark.visible());
        mark.positionMark(QRect(0, 0, 100, 100), 100);
        QVERIFY(mark.shapeRect().isNull());
        mark.setMarkPos({500, 500});
        QVERIFY(mark.visible());
        mark.positionMark(QRect(0, 0, 100, 100), 100);
        QCOMPARE(mark.shapeRect(), QRect(40, 40, 20, 20));
        mark.MarkConstRatio = true;
        mark.ShapePenWidth = 4;
        mark.positionMark(QRect(0, 0, 100, 100), 50);
        QCOMPARE(mark.shapeSize(), QSize(10, 10));
        QCOMPARE(mark.penWidth(), 2);
        QCOMPARE(mark.shapeRect(), QRect(45, 45, 10, 10));
        QCOMPARE(constRatioSize(150, 25), 38); // 37.5 rounds up
    }

    void hugeMarkNumbersStayInRange()
    {
        // A flag such as "x2147483647" names a point far outside the picture: the mark goes far
        // right or below, never wraps round to the other side.
        const QRect pic(100, 50, 400, 200);
        const int huge = std::numeric_limits<int>::max();
        const QRect far = markRect(pic, {huge, huge}, {20, 20});
        QVERIFY(far.left() > pic.right() && far.top() > pic.bottom());
        QCOMPARE(far.size(), QSize(20, 20));
        QVERIFY(far.right() > far.left()); // right and bottom are still in range
        const QRect before = markRect(pic, {-huge, -huge}, {20, 20});
        QVERIFY(before.right() < pic.left() && before.bottom() < pic.top());
        // An absurd mark size, with a constant ratio or not.
        QVERIFY(constRatioSize(10000, huge) > 0);
        const QRect big = markRect(pic, {500, 500}, {huge, huge});
        QVERIFY(big.width() > 0 && big.right() > big.left());
        QVERIFY(big.contains(pic.center()));
        ImageMark mark;
        mark.setMarkSize(huge);
        mark.MarkConstRatio = true;
        mark.setMarkPos({huge, 500});
        mark.positionMark(pic, 10000);
        QVERIFY(mark.shapeRect().left() > pic.right());
    }
};

QTEST_GUILESS_MAIN(ImageGeometryTest)
#include "ImageGeometryTest.moc"
