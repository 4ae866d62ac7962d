// Paints the pictures of the bundled sample presentation and writes its slide list and its
// configuration. Everything is drawn here, so the samples are entirely our own.
//
//   makesamples <folder>

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <vector>

namespace {

const QString kFontFamily = QStringLiteral("DejaVu Sans");

QFont font(int pixelSize, bool bold = false)
{
    QFont f(kFontFamily);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// A smooth closed curve through the points (Catmull-Rom turned into cubic Béziers).
QPainterPath smoothClosed(const std::vector<QPointF> &pts)
{
    QPainterPath path;
    const size_t n = pts.size();
    path.moveTo(pts[0]);
    for (size_t i = 0; i < n; ++i) {
        const QPointF p0 = pts[(i + n - 1) % n], p1 = pts[i], p2 = pts[(i + 1) % n],
                      p3 = pts[(i + 2) % n];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    path.closeSubpath();
    return path;
}

// A smooth open curve through the points.
QPainterPath smoothOpen(const std::vector<QPointF> &pts)
{
    QPainterPath path;
    const size_t n = pts.size();
    path.moveTo(pts[0]);
    for (size_t i = 0; i + 1 < n; ++i) {
        const QPointF p0 = pts[i == 0 ? 0 : i - 1], p1 = pts[i], p2 = pts[i + 1],
                      p3 = pts[i + 2 < n ? i + 2 : n - 1];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    return path;
}

void drawPine(QPainter &p, QPointF base, qreal height, const QColor &colour)
{
    const qreal w = height * 0.45;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 64, 40));
    p.drawRect(QRectF(base.x() - w * 0.08, base.y() - height * 0.18, w * 0.16, height * 0.18));
    p.setBrush(colour);
    for (int i = 0; i < 3; ++i) {
        const qreal top = base.y() - height + i * height * 0.22;
        const qreal bottom = base.y() - height * 0.15 - (2 - i) * height * 0.18;
        const qreal half = w * (0.55 + i * 0.22) / 2;
        p.drawPolygon(QPolygonF({QPointF(base.x(), top), QPointF(base.x() + half, bottom),
                                 QPointF(base.x() - half, bottom)}));
    }
}

void drawCloud(QPainter &p, QPointF c, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c, 60 * s, 22 * s);
    p.drawEllipse(c + QPointF(-35 * s, 4 * s), 38 * s, 18 * s);
    p.drawEllipse(c + QPointF(30 * s, -12 * s), 40 * s, 26 * s);
    p.drawEllipse(c + QPointF(-5 * s, -18 * s), 34 * s, 24 * s);
}

QImage paintLandscape()
{
    const int W = 1200, H = 800;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 560);
    sky.setColorAt(0.0, QColor(38, 84, 156));
    sky.setColorAt(0.55, QColor(120, 160, 210));
    sky.setColorAt(0.85, QColor(246, 200, 150));
    sky.setColorAt(1.0, QColor(250, 214, 160));
    p.fillRect(0, 0, W, H, sky);

    // The sun with its glow.
    const QPointF sun(820, 360);
    QRadialGradient glow(sun, 260);
    glow.setColorAt(0.0, QColor(255, 240, 180, 200));
    glow.setColorAt(0.35, QColor(255, 210, 130, 90));
    glow.setColorAt(1.0, QColor(255, 200, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, 260, 260);
    QRadialGradient disc(sun, 70);
    disc.setColorAt(0.0, QColor(255, 252, 220));
    disc.setColorAt(0.7, QColor(255, 222, 120));
    disc.setColorAt(1.0, QColor(255, 190, 80));
    p.setBrush(disc);
    p.drawEllipse(sun, 70, 70);

    drawCloud(p, QPointF(260, 140), 1.3);
    drawCloud(p, QPointF(560, 90), 0.9);
    drawCloud(p, QPointF(1050, 170), 1.1);

    // Far range, blue-violet, with snow on the highest peaks.
    const std::vector<QPointF> far = {{0, 470},    {90, 400},   {170, 430}, {280, 300},
                                      {360, 360},  {450, 320},  {540, 410}, {640, 330},
                                      {700, 360},  {780, 280},  {880, 380}, {960, 340},
                                      {1060, 410}, {1130, 360}, {1200, 400}};
    QPolygonF farPoly(QList<QPointF>(far.begin(), far.end()));
    farPoly << QPointF(W, 600) << QPointF(0, 600);
    QLinearGradient farFill(0, 280, 0, 600);
    farFill.setColorAt(0.0, QColor(112, 112, 160));
    farFill.setColorAt(1.0, QColor(150, 140, 170));
    p.setBrush(farFill);
    p.drawPolygon(farPoly);
    p.setBrush(QColor(250, 250, 255));
    for (const QPointF &peak : {far[3], far[9], far[7]}) {
        const qreal s = 34;
        p.drawPolygon(
            QPolygonF({peak, peak + QPointF(s * 0.9, s * 0.75), peak + QPointF(s * 0.35, s * 0.6),
                       peak + QPointF(0, s * 0.8), peak + QPointF(-s * 0.4, s * 0.55),
                       peak + QPointF(-s * 0.85, s * 0.7)}));
    }

    // Near hills, green.
    const std::vector<QPointF> nearHills = {{-50, 560}, {120, 470}, {300, 520},  {470, 450},
                                            {650, 530}, {900, 480}, {1080, 520}, {1260, 470}};
    QPainterPath hills = smoothOpen(nearHills);
    hills.lineTo(W + 60, H);
    hills.lineTo(-60, H);
    hills.closeSubpath();
    QLinearGradient hillFill(0, 450, 0, 620);
    hillFill.setColorAt(0.0, QColor(76, 122, 92));
    hillFill.setColorAt(1.0, QColor(48, 92, 70));
    p.setBrush(hillFill);
    p.drawPath(hills);

    // The lake and the sun's reflection on it.
    QPainterPath lake;
    lake.addEllipse(QRectF(380, 560, 820, 120));
    QLinearGradient water(0, 560, 0, 680);
    water.setColorAt(0.0, QColor(120, 170, 215));
    water.setColorAt(1.0, QColor(60, 110, 170));
    p.setBrush(water);
    p.drawPath(lake);
    p.save();
    p.setClipPath(lake);
    p.setBrush(QColor(255, 230, 170, 150));
    for (int i = 0; i < 7; ++i) {
        const qreal y = 572 + i * 15;
        const qreal half = 60 - i * 6;
        p.drawRoundedRect(QRectF(sun.x() - half, y, 2 * half, 4), 2, 2);
    }
    p.restore();

    // Meadow in front.
    QPainterPath meadow = smoothOpen({{-50, 690}, {250, 640}, {600, 700}, {900, 670}, {1260, 710}});
    meadow.lineTo(W + 60, H);
    meadow.lineTo(-60, H);
    meadow.closeSubpath();
    QLinearGradient grass(0, 640, 0, H);
    grass.setColorAt(0.0, QColor(118, 170, 80));
    grass.setColorAt(1.0, QColor(70, 130, 55));
    p.setBrush(grass);
    p.drawPath(meadow);

    QRandomGenerator rng(7);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 60; ++i) {
        // Small flowers in the meadow.
        const QPointF f(rng.bounded(W), 700 + rng.bounded(95));
        p.setPen(Qt::NoPen);
        p.setBrush(i % 3 == 0   ? QColor(255, 240, 120)
                   : i % 3 == 1 ? QColor(255, 255, 255)
                                : QColor(230, 120, 160));
        p.drawEllipse(f, 3.5, 3.5);
    }

    const QColor pine(34, 78, 52);
    const QColor pineDark(26, 62, 44);
    for (const auto &[x, y, h] : std::vector<std::tuple<qreal, qreal, qreal>>{{60, 720, 190},
                                                                              {130, 700, 150},
                                                                              {200, 735, 210},
                                                                              {320, 690, 120},
                                                                              {1000, 700, 140},
                                                                              {1080, 725, 200},
                                                                              {1150, 705, 160}})
        drawPine(p, QPointF(x, y), h, int(x) % 2 ? pine : pineDark);

    // Birds.
    p.setPen(QPen(QColor(40, 40, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const QPointF &b : {QPointF(420, 230), QPointF(455, 250), QPointF(480, 215)}) {
        QPainterPath bird;
        bird.moveTo(b + QPointF(-12, -4));
        bird.quadTo(b + QPointF(-6, -9), b);
        bird.quadTo(b + QPointF(6, -9), b + QPointF(12, -4));
        p.drawPath(bird);
    }
    return img;
}

void drawLabel(QPainter &p, const QRectF &r, const QString &text, const QFont &f, const QColor &c)
{
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

QPolygonF regularPolygon(QPointF c, qreal r, int sides, qreal startDeg)
{
    QPolygonF poly;
    for (int i = 0; i < sides; ++i) {
        const qreal a = (startDeg + i * 360.0 / sides) * M_PI / 180.0;
        poly << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return poly;
}

QPolygonF star(QPointF c, qreal outer, qreal inner, int points)
{
    QPolygonF poly;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal a = (-90 + i * 180.0 / points) * M_PI / 180.0;
        const qreal r = i % 2 ? inner : outer;
        poly << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return poly;
}

QImage paintShapes()
{
    const int W = 1000, H = 700;
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(QColor(251, 247, 239));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(QPen(QColor(232, 226, 214), 1));
    for (int x = 0; x < W; x += 25)
        p.drawLine(x, 0, x, H);
    for (int y = 0; y < H; y += 25)
        p.drawLine(0, y, W, y);

    drawLabel(p, QRectF(0, 20, W, 60), QStringLiteral("Formes geomètriques"), font(38, true),
              QColor(60, 60, 80));

    struct Shape
    {
        QString name;
        QColor colour;
    };
    const std::vector<Shape> shapes = {
        {QStringLiteral("Cercle"), QColor(232, 93, 80)},
        {QStringLiteral("Quadrat"), QColor(66, 133, 200)},
        {QStringLiteral("Triangle"), QColor(245, 180, 40)},
        {QStringLiteral("Hexàgon"), QColor(90, 170, 110)},
        {QStringLiteral("Estrella"), QColor(156, 100, 190)},
        {QStringLiteral("Rombe"), QColor(240, 130, 60)},
    };
    const qreal cellW = W / 3.0, cellH = 270;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const qreal cx = cellW * (i % 3) + cellW / 2;
        const qreal cy = 110 + cellH * (i / 3) + 105;
        const QPointF c(cx, cy);
        QPainterPath path;
        switch (i) {
        case 0: path.addEllipse(c, 85, 85); break;
        case 1: path.addRoundedRect(QRectF(cx - 80, cy - 80, 160, 160), 6, 6); break;
        case 2: path.addPolygon(regularPolygon(c + QPointF(0, 15), 100, 3, -90)); break;
        case 3: path.addPolygon(regularPolygon(c, 92, 6, 0)); break;
        case 4: path.addPolygon(star(c, 100, 42, 5)); break;
        default:
            path.addPolygon(QPolygonF({c + QPointF(0, -100), c + QPointF(70, 0),
                                       c + QPointF(0, 100), c + QPointF(-70, 0)}));
        }
        path.closeSubpath();
        // A soft shadow, then the shape with a light-to-full gradient.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawPath(path.translated(7, 9));
        QLinearGradient g(cx - 90, cy - 90, cx + 90, cy + 90);
        g.setColorAt(0.0, shapes[i].colour.lighter(135));
        g.setColorAt(1.0, shapes[i].colour);
        p.setBrush(g);
        p.setPen(QPen(shapes[i].colour.darker(140), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        drawLabel(p, QRectF(cx - cellW / 2, cy + 112, cellW, 40), shapes[i].name, font(26, true),
                  shapes[i].colour.darker(160));
    }
    return img;
}

void drawTown(QPainter &p, QPointF at, const QString &name, bool capital, QPointF labelOffset)
{
    p.setPen(QPen(QColor(60, 40, 30), 2));
    p.setBrush(capital ? QColor(200, 50, 50) : QColor(255, 255, 255));
    if (capital)
        p.drawRect(QRectF(at.x() - 8, at.y() - 8, 16, 16));
    else
        p.drawEllipse(at, 7, 7);
    const QFont f = font(capital ? 22 : 18, capital);
    p.setFont(f);
    const QPointF text = at + labelOffset;
    // A pale halo keeps the name readable over roads and forests.
    QPainterPath halo;
    halo.addText(text, f, name);
    p.setPen(QPen(QColor(255, 255, 240, 220), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(halo);
    p.setPen(QColor(50, 35, 25));
    p.drawText(text, name);
}

void drawMountainSymbol(QPainter &p, QPointF base, qreal s)
{
    p.setPen(QPen(QColor(110, 80, 50), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(190, 160, 120));
    p.drawPolygon(
        QPolygonF({base + QPointF(-s, 0), base + QPointF(0, -1.3 * s), base + QPointF(s, 0)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({base + QPointF(-0.33 * s, -0.87 * s), base + QPointF(0, -1.3 * s),
                             base + QPointF(0.33 * s, -0.87 * s)}));
}

QImage paintMap()
{
    const int W = 1000, H = 700;
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(QColor(170, 211, 233));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Waves on the sea.
    p.setPen(QPen(QColor(200, 228, 244), 2, Qt::SolidLine, Qt::RoundCap));
    QRandomGenerator rng(11);
    for (int i = 0; i < 70; ++i) {
        const QPointF w(rng.bounded(W), rng.bounded(H));
        QPainterPath wave;
        wave.moveTo(w);
        wave.quadTo(w + QPointF(7, -5), w + QPointF(14, 0));
        wave.quadTo(w + QPointF(21, 5), w + QPointF(28, 0));
        p.drawPath(wave);
    }

    const QPainterPath island = smoothClosed({{180, 330},
                                              {260, 190},
                                              {420, 150},
                                              {560, 200},
                                              {700, 150},
                                              {830, 230},
                                              {850, 360},
                                              {780, 480},
                                              {640, 540},
                                              {470, 600},
                                              {330, 540},
                                              {230, 470}});
    // Shallow water, the beach, then the land.
    p.setPen(QPen(QColor(150, 200, 225), 40, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(island);
    p.setPen(QPen(QColor(240, 224, 170), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(island);
    QRadialGradient land(QPointF(520, 340), 380);
    land.setColorAt(0.0, QColor(196, 220, 140));
    land.setColorAt(1.0, QColor(170, 205, 120));
    p.setPen(QPen(QColor(110, 140, 80), 2));
    p.setBrush(land);
    p.drawPath(island);

    // Forest.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 28; ++i) {
        const QPointF t(300 + rng.bounded(150), 260 + rng.bounded(120));
        p.setBrush(QColor(70, 130, 70, 210));
        p.drawEllipse(t, 16, 16);
        p.setBrush(QColor(100, 160, 90, 200));
        p.drawEllipse(t + QPointF(-4, -4), 8, 8);
    }

    // Mountains, the river from them to the sea and a lake.
    drawMountainSymbol(p, QPointF(640, 290), 34);
    drawMountainSymbol(p, QPointF(690, 310), 26);
    drawMountainSymbol(p, QPointF(600, 320), 24);
    p.setPen(QPen(QColor(80, 150, 210), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(
        smoothOpen({{640, 320}, {610, 380}, {560, 420}, {540, 480}, {500, 540}, {480, 600}}));
    p.setPen(QPen(QColor(80, 150, 210), 2));
    p.setBrush(QColor(120, 180, 225));
    p.drawPath(smoothClosed({{700, 400}, {750, 390}, {770, 420}, {735, 445}, {695, 430}}));

    // Roads between the towns.
    const QPointF capital(470, 440), north(430, 210), east(770, 340), west(240, 380),
        south(620, 500);
    p.setPen(QPen(QColor(170, 70, 40), 3.5, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smoothOpen({capital, {450, 330}, north}));
    p.drawPath(smoothOpen({capital, {560, 470}, south}));
    p.drawPath(smoothOpen({capital, {360, 420}, west}));
    p.drawPath(smoothOpen({south, {700, 430}, east}));

    drawTown(p, capital, QStringLiteral("Vilaclara"), true, QPointF(14, 26));
    drawTown(p, north, QStringLiteral("Sant Martí"), false, QPointF(12, -10));
    drawTown(p, east, QStringLiteral("Riuverd"), false, QPointF(-40, -16));
    drawTown(p, west, QStringLiteral("Cala Blava"), false, QPointF(-40, 30));
    drawTown(p, south, QStringLiteral("Puigsec"), false, QPointF(12, 24));

    // The lighthouse on the eastern cape.
    const QPointF far(842, 300);
    p.setPen(QPen(QColor(60, 40, 30), 1.5));
    p.setBrush(QColor(255, 250, 230));
    p.drawPolygon(QPolygonF({far + QPointF(-7, 0), far + QPointF(-4, -34), far + QPointF(4, -34),
                             far + QPointF(7, 0)}));
    p.setBrush(QColor(210, 50, 50));
    p.drawRect(QRectF(far.x() - 5.5, far.y() - 20, 11, 7));
    p.setBrush(QColor(255, 220, 80));
    p.drawEllipse(far + QPointF(0, -38), 5, 5);
    p.setFont(font(16));
    p.setPen(QColor(50, 35, 25));
    p.drawText(far + QPointF(14, -24), QStringLiteral("Far"));

    // Compass rose.
    const QPointF rose(900, 110);
    p.setPen(QPen(QColor(70, 60, 50), 1.5));
    for (int i = 0; i < 4; ++i) {
        const qreal a = i * M_PI / 2 - M_PI / 2;
        const QPointF tip = rose + QPointF(48 * std::cos(a), 48 * std::sin(a));
        const QPointF l = rose + QPointF(11 * std::cos(a - M_PI / 2), 11 * std::sin(a - M_PI / 2));
        const QPointF r = rose + QPointF(11 * std::cos(a + M_PI / 2), 11 * std::sin(a + M_PI / 2));
        p.setBrush(QColor(70, 60, 50));
        p.drawPolygon(QPolygonF({rose, tip, l}));
        p.setBrush(QColor(250, 245, 230));
        p.drawPolygon(QPolygonF({rose, tip, r}));
    }
    p.setFont(font(20, true));
    p.setPen(QColor(50, 35, 25));
    p.drawText(QRectF(rose.x() - 15, rose.y() - 80, 30, 26), Qt::AlignCenter, QStringLiteral("N"));
    p.drawText(QRectF(rose.x() - 15, rose.y() + 54, 30, 26), Qt::AlignCenter, QStringLiteral("S"));
    p.drawText(QRectF(rose.x() + 52, rose.y() - 13, 30, 26), Qt::AlignCenter, QStringLiteral("E"));
    p.drawText(QRectF(rose.x() - 82, rose.y() - 13, 30, 26), Qt::AlignCenter, QStringLiteral("O"));

    // Title cartouche and scale bar.
    const QRectF title(40, 30, 330, 60);
    p.setPen(QPen(QColor(110, 80, 50), 2));
    p.setBrush(QColor(250, 242, 220, 235));
    p.drawRoundedRect(title, 10, 10);
    drawLabel(p, title, QStringLiteral("Illa de Vilaclara"), font(30, true), QColor(90, 60, 35));

    const QPointF bar(50, 650);
    p.setPen(QPen(QColor(50, 35, 25), 1.5));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? QColor(255, 255, 255) : QColor(50, 35, 25));
        p.drawRect(QRectF(bar.x() + i * 50, bar.y(), 50, 10));
    }
    p.setFont(font(16));
    for (int i = 0; i <= 4; i += 2)
        p.drawText(QRectF(bar.x() + i * 50 - 20, bar.y() - 26, 40, 22), Qt::AlignCenter,
                   QString::number(i * 5));
    p.drawText(QPointF(bar.x() + 212, bar.y() + 10), QStringLiteral("km"));
    return img;
}

QImage paintChart()
{
    const int W = 1000, H = 700;
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    drawLabel(p, QRectF(0, 20, W, 56), QStringLiteral("Temperatures mitjanes (°C)"), font(34, true),
              QColor(50, 60, 80));

    const QStringList months = {
        QStringLiteral("Gen"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Abr"),
        QStringLiteral("Mai"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Ago"),
        QStringLiteral("Set"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Des")};
    const double values[12] = {9, 10, 12, 14, 18, 22, 25, 25, 22, 18, 13, 10};
    const QRectF plot(110, 110, 840, 480);
    const double maxValue = 30;

    p.setFont(font(18));
    for (int v = 0; v <= 30; v += 5) {
        const qreal y = plot.bottom() - plot.height() * v / maxValue;
        p.setPen(QPen(QColor(225, 228, 235), 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QColor(90, 95, 110));
        p.drawText(QRectF(plot.left() - 70, y - 12, 56, 24), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v));
    }
    const qreal slot = plot.width() / 12;
    for (int i = 0; i < 12; ++i) {
        const qreal h = plot.height() * values[i] / maxValue;
        const QRectF bar(plot.left() + i * slot + slot * 0.15, plot.bottom() - h, slot * 0.7, h);
        // From blue for the cold months to red for the warm ones.
        const double t = (values[i] - 8) / 18.0;
        const QColor warm = QColor::fromHsvF(0.62 - 0.62 * std::clamp(t, 0.0, 1.0), 0.65, 0.92);
        QLinearGradient g(bar.topLeft(), bar.topRight());
        g.setColorAt(0.0, warm.lighter(120));
        g.setColorAt(1.0, warm.darker(110));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(bar, 5, 5);
        p.setPen(QColor(60, 65, 80));
        p.setFont(font(18, true));
        p.drawText(QRectF(bar.left() - 10, bar.top() - 30, bar.width() + 20, 26), Qt::AlignCenter,
                   QString::number(values[i]));
        p.setFont(font(18));
        p.drawText(QRectF(bar.left() - 10, plot.bottom() + 8, bar.width() + 20, 26),
                   Qt::AlignCenter, months[i]);
    }
    p.setPen(QPen(QColor(90, 95, 110), 2));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    return img;
}

// The program's 8-bit text files: Windows-1252, CR LF. Every character used here lies in the
// part of Windows-1252 that agrees with Latin-1.
bool writeText(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        for (QChar c : line) {
            if (c.unicode() > 0xFF || (c.unicode() >= 0x80 && c.unicode() < 0xA0)) {
                std::fprintf(stderr, "makesamples: character U+%04X does not fit\n", c.unicode());
                return false;
            }
        }
        bytes += line.toLatin1() + "\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makesamples: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QString slideLine(const QString &file, const QString &flags, const QString &p1, const QString &p2,
                  const QString &time = QString(), const QString &audio = QString())
{
    return QStringList{file, flags, p1, p2, time, audio}.join(QLatin1Char('\t'));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesamples <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "makesamples: cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = paintLandscape().save(out.filePath(QStringLiteral("paisatge.jpg")), "JPEG", 88);
    ok = paintShapes().save(out.filePath(QStringLiteral("formes.png")), "PNG") && ok;
    ok = paintMap().save(out.filePath(QStringLiteral("mapa.png")), "PNG") && ok;
    ok = paintChart().save(out.filePath(QStringLiteral("grafic.png")), "PNG") && ok;

    const QStringList slides = {
        slideLine({}, {}, QStringLiteral("Benvinguts a Pelvar"),
                  QStringLiteral("Una presentació de mostra")),
        slideLine(QStringLiteral("paisatge.jpg"), QStringLiteral("L"),
                  QStringLiteral("Paisatge de muntanya"),
                  QStringLiteral("El sol s'alça darrere dels cims|i es reflecteix al llac")),
        slideLine(QStringLiteral("formes.png"), QStringLiteral("B"),
                  QStringLiteral("Formes geomètriques"),
                  QStringLiteral("Cercle, quadrat, triangle, hexàgon, estrella i rombe")),
        slideLine(QStringLiteral("mapa.png"), QStringLiteral("N1"),
                  QStringLiteral("L'illa de Vilaclara"),
                  QStringLiteral("Un mapa imaginari amb pobles, camins, un riu i un far")),
        slideLine(QStringLiteral("grafic.png"), QStringLiteral("N2"),
                  QStringLiteral("Temperatures mitjanes"),
                  QStringLiteral("Graus de cada mes|(dades inventades)"), QStringLiteral("5")),
        slideLine(QStringLiteral("formes.png"), QStringLiteral("H"),
                  QStringLiteral("Diapositiva amagada"),
                  QStringLiteral("No es mostra mai durant la reproducció")),
        slideLine({}, {}, QStringLiteral("Fi de la presentació"),
                  QStringLiteral("Gràcies per la vostra atenció")),
    };
    ok = writeText(out.filePath(QStringLiteral("Mostra.sal")), slides) && ok;
    ok = writeText(out.filePath(QStringLiteral("Mostra.ini")),
                   {QStringLiteral("[Options]"),
                    QStringLiteral("ManualViewing=1"),
                    QStringLiteral(""),
                    QStringLiteral("[TitlePanel]"),
                    QStringLiteral("ColorStart=7360544"),
                    QStringLiteral("ColorEnd=16247773"),
                    QStringLiteral("ColorBackGroundEffect=4"),
                    QStringLiteral(""),
                    QStringLiteral("[FontNote1]"),
                    QStringLiteral("Color=-2147483640"),
                    QStringLiteral("FontName=MS Sans Serif"),
                    QStringLiteral("FontSize=12"),
                    QStringLiteral("fsBold=1"),
                    QStringLiteral("fsItalic=0"),
                    QStringLiteral(""),
                    QStringLiteral("[FontNote2]"),
                    QStringLiteral("Color=-2147483640"),
                    QStringLiteral("FontName=MS Sans Serif"),
                    QStringLiteral("FontSize=10"),
                    QStringLiteral("fsBold=0"),
                    QStringLiteral("fsItalic=0"),
                    QStringLiteral(""),
                    QStringLiteral("[FontTitle1rsLine]"),
                    QStringLiteral("Color=16777215"),
                    QStringLiteral("FontName=MS Sans Serif"),
                    QStringLiteral("FontSize=36"),
                    QStringLiteral("fsBold=1"),
                    QStringLiteral("fsItalic=0"),
                    QStringLiteral("ShadowColor=4210752"),
                    QStringLiteral("ShadowPos=2"),
                    QStringLiteral("ShadowSize=3"),
                    QStringLiteral(""),
                    QStringLiteral("[FontTitle2ndLine]"),
                    QStringLiteral("Color=16777215"),
                    QStringLiteral("FontName=MS Sans Serif"),
                    QStringLiteral("FontSize=20"),
                    QStringLiteral("fsBold=0"),
                    QStringLiteral("fsItalic=1"),
                    QStringLiteral("ShadowColor=4210752"),
                    QStringLiteral("ShadowPos=2"),
                    QStringLiteral("ShadowSize=2"),
                    QStringLiteral("")}) &&
         ok;
    return ok ? 0 : 1;
}
