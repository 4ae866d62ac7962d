#include "media/GradientPanel.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

QImage paintPanel(const GradientPanel &panel, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    panel.paintFace(p, QRect(QPoint(0, 0), size), QGuiApplication::palette());
    return img;
}

GradientPanel gradient(TDirection effect, TColor a, TColor b)
{
    GradientPanel g;
    g.BackGroundEffect = effect;
    g.ColorStart = a;
    g.ColorEnd = b;
    return g;
}

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

} // namespace

class GradientPanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rampStopsOneStepShortAndUsesStoredBytes()
    {
        const auto ramp = GradientPanel::ColorRamp(kBlack, kWhite);
        QCOMPARE(ramp[0], qRgb(0, 0, 0));
        QCOMPARE(ramp[199], qRgb(253, 253, 253));
        QCOMPARE(ramp[100], qRgb(127, 127, 127));
        // Falling channels truncate toward zero too: 255 - 1.275 -> 253.
        QCOMPARE(GradientPanel::ColorRamp(kWhite, kBlack)[1], qRgb(253, 253, 253));
        // Red is the low byte; a system colour's code bytes are used as they are.
        QCOMPARE(GradientPanel::ColorRamp(0x0000FF, 0x0000FF)[50], qRgb(255, 0, 0));
        QCOMPARE(GradientPanel::ColorRamp(TColor(0x8000000F), TColor(0x8000000F))[7],
                 qRgb(15, 0, 0));
    }

    void upFromBlackToWhiteOn200Rows()
    {
        const QImage img = paintPanel(gradient(bdUp, kBlack, kWhite), {30, 200});
        QCOMPARE(img.pixel(5, 0), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(5, 199), qRgb(253, 253, 253));
        QCOMPARE(img.pixel(29, 100), qRgb(127, 127, 127));
        // Down is the same bands with the ramp reversed.
        const QImage down = paintPanel(gradient(bdDown, kBlack, kWhite), {30, 200});
        QCOMPARE(down.pixel(5, 0), qRgb(255, 255, 255));
        QCOMPARE(down.pixel(5, 199), qRgb(1, 1, 1));
    }

    void shortPanelLeavesHalfTheBandsEmpty()
    {
        int drawn = 0;
        for (int k = 0; k < GradientPanel::kBands; ++k)
            if (GradientPanel::bandStart(k + 1, 100) > GradientPanel::bandStart(k, 100))
                ++drawn;
        QCOMPARE(drawn, 100);
        // Every row is still covered, nothing of the background shows through.
        const QImage img = paintPanel(gradient(bdUp, kBlack, kWhite), {10, 100});
        for (int y = 0; y < 100; ++y)
            QVERIFY(img.pixel(3, y) != qRgb(255, 0, 255));
        // Band 199 would start at MulDiv(199, 100, 200) = 100: the last row is band 198.
        QCOMPARE(img.pixel(3, 99), qRgb(252, 252, 252));
    }

    void horizontalInIsMirroredAboutTheMiddle()
    {
        const QImage img = paintPanel(gradient(bdHorzIn, 0x0000FF, 0xFF0000), {20, 200});
        // Top band takes entry 1, bottom band entry 0: the start colour at both edges.
        QCOMPARE(img.pixel(0, 199), qRgb(255, 0, 0));
        QCOMPARE(img.pixel(0, 0), qRgb(253, 0, 1));
        // Bands 99 and 100 take entries 199 and 198: nearly the end colour in the middle.
        QCOMPARE(img.pixel(0, 99), GradientPanel::ColorRamp(0x0000FF, 0xFF0000)[199]);
        QCOMPARE(img.pixel(0, 100), GradientPanel::ColorRamp(0x0000FF, 0xFF0000)[198]);
        QVERIFY(qBlue(img.pixel(0, 99)) > 250 && qRed(img.pixel(0, 99)) < 5);
        // The vertical variant: the same along the width; "out" swaps the colours.
        const QImage v = paintPanel(gradient(bdVertIn, kBlack, kWhite), {200, 10});
        QCOMPARE(v.pixel(199, 5), qRgb(0, 0, 0));
        QCOMPARE(v.pixel(99, 5), qRgb(253, 253, 253));
        const QImage out = paintPanel(gradient(bdHorzOut, kBlack, kWhite), {10, 200});
        QCOMPARE(out.pixel(5, 199), qRgb(255, 255, 255));
        QCOMPARE(out.pixel(5, 99), qRgb(1, 1, 1));
    }

    void leftAndRightRunAcross()
    {
        const QImage l = paintPanel(gradient(bdLeft, kBlack, kWhite), {200, 5});
        QCOMPARE(l.pixel(0, 2), qRgb(0, 0, 0));
        QCOMPARE(l.pixel(199, 2), qRgb(253, 253, 253));
        const QImage r = paintPanel(gradient(bdRight, kBlack, kWhite), {200, 5});
        QCOMPARE(r.pixel(0, 2), qRgb(255, 255, 255));
    }

    void tilesCoverThePanel()
    {
        GradientPanel g;
        g.BackGroundEffect = bdTileImage;
        // A 50x50 bitmap, black with a white dot at its origin: one dot per tile.
        QImage bmp(50, 50, QImage::Format_RGB32);
        bmp.fill(Qt::black);
        bmp.setPixel(0, 0, qRgb(255, 255, 255));
        g.Bitmap = bmp;
        const QImage img = paintPanel(g, {120, 120});
        int dots = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                dots += img.pixel(x, y) == qRgb(255, 255, 255);
        QCOMPARE(dots, 9); // 3 x 3 tiles, the last ones cut by the edge
        QCOMPARE(img.pixel(100, 100), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(119, 119), qRgb(0, 0, 0));
        // With Ctl3D the tiles start inside the bevels: 2 * 1 + 0.
        g.Ctl3D = true;
        const QImage inset = paintPanel(g, {120, 120});
        QCOMPARE(inset.pixel(2, 2), qRgb(255, 255, 255));
        QCOMPARE(inset.pixel(0, 0), qRgb(255, 0, 255));
    }

    void stretchAndEmptyBitmaps()
    {
        GradientPanel g;
        g.BackGroundEffect = bdStretchImage;
        QImage bmp(2, 2, QImage::Format_RGB32);
        bmp.fill(Qt::green);
        g.Bitmap = bmp;
        const QImage img = paintPanel(g, {40, 30});
        QCOMPARE(img.pixel(20, 15), qRgb(0, 255, 0));
        QCOMPARE(img.pixel(38, 28), qRgb(0, 255, 0));
        // The far edges stay open: (0, 0, W - 1, H - 1).
        QCOMPARE(img.pixel(39, 29), qRgb(255, 0, 255));
        g.Bitmap = QImage();
        g.ColorStart = 0x0000FF;
        QCOMPARE(paintPanel(g, {40, 30}).pixel(39, 29), qRgb(255, 0, 0));
    }

    void bevelsAndFlatSystemColour()
    {
        GradientPanel g;
        g.ColorStart = TColor(0x8000000F);
        g.BevelOuter = TBevelCut::bvRaised;
        QImage img(50, 40, QImage::Format_RGB32);
        QPainter p(&img);
        g.paint(p, img.rect(), QGuiApplication::palette());
        p.end();
        QCOMPARE(img.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(49, 39), qRgb(128, 128, 128));
        QCOMPARE(QColor(img.pixel(25, 20)), QGuiApplication::palette().color(QPalette::Button));
        g.BevelOuter = TBevelCut::bvLowered;
        QPainter p2(&img);
        g.paint(p2, img.rect(), QGuiApplication::palette());
        p2.end();
        QCOMPARE(img.pixel(0, 0), qRgb(128, 128, 128));
        QCOMPARE(g.clientRect(img.rect()), QRect(1, 1, 48, 38));
    }

    void movingAndResizingZones()
    {
        GradientPanel g;
        g.Moveable = true;
        const QSize s(200, 150);
        QCOMPARE(g.hitTest({197, 50}, s), PanelHitZone::Right);
        QCOMPARE(g.hitTest({100, 75}, s), PanelHitZone::Caption);
        QCOMPARE(g.hitTest({2, 2}, s), PanelHitZone::TopLeft);
        QCOMPARE(g.hitTest({2, 148}, s), PanelHitZone::BottomLeft);
        QCOMPARE(g.hitTest({199, 0}, s), PanelHitZone::TopRight);
        QCOMPARE(g.hitTest({194, 144}, s), PanelHitZone::BottomRight);
        QCOMPARE(g.hitTest({5, 75}, s), PanelHitZone::Left);
        QCOMPARE(g.hitTest({6, 75}, s), PanelHitZone::Caption);
        QCOMPARE(g.hitTest({100, 149}, s), PanelHitZone::Bottom);
    }

    void unknownEffectPaintsFlat()
    {
        GradientPanel g;
        PanelBackground bg;
        bg.ColorStart = 0x00FF00;
        bg.ColorBackGroundEffect = 42;
        g.applySettings(bg, QImage());
        QCOMPARE(g.BackGroundEffect, bdFlat);
        QCOMPARE(paintPanel(g, {10, 10}).pixel(5, 5), qRgb(0, 255, 0));
    }
};

QTEST_MAIN(GradientPanelTest)
#include "GradientPanelTest.moc"
