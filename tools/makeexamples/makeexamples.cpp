// Writes the examples the program offers a new user: slide lists, their settings and meaning
// tables, with pictures drawn here, sounds synthesised here and the bundled sample video. Each
// example shows a kind of slide or a quiz mode; together they show them all. Files are written
// with bare file names; the welcome dialog rewrites them to where the examples end up.
//
//   makeexamples <samples folder> <folder of this program's sources> <output folder>

#include "support/GifBuilder.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QtMath>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool g_ok = true;

void fail(const QString &what)
{
    std::fprintf(stderr, "makeexamples: %s\n", qPrintable(what));
    g_ok = false;
}

QFont font(int pixelSize, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// A colour as the settings files store it: red in the low byte, blue in the high one.
int storedColour(int r, int g, int b)
{
    return r | g << 8 | b << 16;
}

// Slide lists, tables and settings are single-byte text with CR LF line ends. Every text here
// is Catalan within Latin-1, which the Windows code page shares.
void writeText(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &l : lines) {
        for (QChar c : l)
            if (c.unicode() > 0xFF)
                fail(
                    QStringLiteral("%1: a character outside the code page in \"%2\"").arg(path, l));
        bytes += l.toLatin1() + "\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1").arg(path));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1").arg(path));
}

void savePicture(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    QImageWriter w(path, format);
    if (quality >= 0)
        w.setQuality(quality);
    if (!w.write(image))
        fail(QStringLiteral("cannot write %1: %2").arg(path, w.errorString()));
}

QString slide(const QString &file, const QString &flags, const QString &p1 = QString(),
              const QString &p2 = QString(), const QString &time = QString(),
              const QString &audio = QString())
{
    return QStringList{file, flags, p1, p2, time, audio}.join(QLatin1Char('\t'));
}

// ---------------------------------------------------------------------------------------------
// Settings files

struct Ini
{
    QStringList lines;

    Ini &section(const QString &name, const QStringList &keys)
    {
        lines << QStringLiteral("[%1]").arg(name) << keys << QString();
        return *this;
    }
    Ini &fontSection(const QString &name, int colour, int size, bool bold, bool italic = false,
                     const QStringList &extra = {})
    {
        QStringList keys{
            QStringLiteral("Color=%1").arg(colour), QStringLiteral("FontName=DejaVu Sans"),
            QStringLiteral("FontSize=%1").arg(size), QStringLiteral("fsBold=%1").arg(bold ? 1 : 0),
            QStringLiteral("fsItalic=%1").arg(italic ? 1 : 0)};
        return section(name, keys + extra);
    }
};

// Fonts and panels every example shares: dark text on light panels, white titles with a shadow
// on a blue gradient.
Ini baseIni(const QStringList &options, int titleStart = storedColour(32, 80, 160),
            int titleEnd = storedColour(150, 200, 250))
{
    const int ink = storedColour(40, 40, 40);
    const QStringList shadow{QStringLiteral("ShadowColor=%1").arg(storedColour(30, 30, 60)),
                             QStringLiteral("ShadowPos=2"), QStringLiteral("ShadowSize=2")};
    Ini ini;
    ini.section(QStringLiteral("Options"), options);
    ini.section(QStringLiteral("TitlePanel"), {QStringLiteral("ColorStart=%1").arg(titleStart),
                                               QStringLiteral("ColorEnd=%1").arg(titleEnd),
                                               QStringLiteral("ColorBackGroundEffect=4")});
    ini.section(QStringLiteral("NotePanel"),
                {QStringLiteral("ColorStart=%1").arg(storedColour(250, 246, 232)),
                 QStringLiteral("ColorBackGroundEffect=0")});
    ini.section(QStringLiteral("ImagePanel"),
                {QStringLiteral("ColorStart=%1").arg(storedColour(236, 240, 244)),
                 QStringLiteral("ColorBackGroundEffect=0")});
    ini.fontSection(QStringLiteral("FontNote1"), ink, 14, true);
    ini.fontSection(QStringLiteral("FontNote2"), ink, 12, false);
    ini.fontSection(QStringLiteral("FontText"), ink, 14, false);
    ini.fontSection(QStringLiteral("FontPrompt"), ink, 14, true);
    ini.fontSection(QStringLiteral("FontAnswers"), ink, 12, false);
    ini.fontSection(QStringLiteral("FontAnswerMes"), ink, 12, false, false,
                    {QStringLiteral("AnswerMesWithIcon=1")});
    ini.fontSection(QStringLiteral("FontTitle1rsLine"), storedColour(255, 255, 255), 34, true,
                    false, shadow);
    ini.fontSection(QStringLiteral("FontTitle2ndLine"), storedColour(255, 255, 255), 20, false,
                    true, shadow);
    return ini;
}

// ---------------------------------------------------------------------------------------------
// Sounds: 16-bit mono PCM at 22,050 samples a second.

constexpr int kRate = 22050;

struct Wave
{
    std::vector<float> samples;

    // A tone gliding from f0 to f1 Hz with a soft attack and decay, added at `at` seconds.
    void tone(double at, double seconds, double f0, double f1, double volume = 0.5)
    {
        const size_t start = size_t(at * kRate), n = size_t(seconds * kRate);
        if (samples.size() < start + n)
            samples.resize(start + n, 0.0f);
        double phase = 0;
        for (size_t i = 0; i < n; ++i) {
            const double t = double(i) / double(n);
            const double f = f0 + (f1 - f0) * t;
            phase += 2 * M_PI * f / kRate;
            const double envelope = std::min(1.0, t * 20) * std::pow(1.0 - t, 1.5);
            // A touch of the second harmonic makes the tone less bare.
            samples[start + i] +=
                float(volume * envelope * (std::sin(phase) + 0.25 * std::sin(2 * phase)));
        }
    }
    void silence(double seconds) { samples.resize(samples.size() + size_t(seconds * kRate)); }

    QByteArray wav() const
    {
        QByteArray data;
        data.reserve(int(samples.size() * 2));
        for (float s : samples) {
            const int v = int(std::lround(std::clamp(s, -1.0f, 1.0f) * 30000));
            data += char(v & 0xFF);
            data += char((v >> 8) & 0xFF);
        }
        auto u32 = [](quint32 v) {
            const char b[] = {char(v & 0xFF), char(v >> 8 & 0xFF), char(v >> 16 & 0xFF),
                              char(v >> 24 & 0xFF)};
            return QByteArray(b, 4);
        };
        auto u16 = [](quint16 v) {
            const char b[] = {char(v & 0xFF), char(v >> 8)};
            return QByteArray(b, 2);
        };
        QByteArray out = "RIFF" + u32(quint32(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) +
                         u16(1) + u32(kRate) + u32(kRate * 2) + u16(2) + u16(16) + "data" +
                         u32(quint32(data.size()));
        return out + data;
    }
};

// Bird songs: each bird has its own pattern of glides.
QByteArray birdSong(int bird)
{
    Wave w;
    switch (bird) {
    case 0: // robin: a falling trill of short high notes
        for (int i = 0; i < 10; ++i)
            w.tone(0.1 + i * 0.13, 0.1, 4200 - i * 120, 3600 - i * 140, 0.4);
        break;
    case 1: // blackbird: a few fluting phrases, lower and longer
        for (int i = 0; i < 4; ++i) {
            w.tone(0.1 + i * 0.5, 0.3, 1800 + i * 150, 2300 + (i % 2) * 300, 0.5);
            w.tone(0.42 + i * 0.5, 0.12, 2600, 2100, 0.35);
        }
        break;
    case 2: // goldfinch: fast tinkling up and down
        for (int i = 0; i < 16; ++i)
            w.tone(0.1 + i * 0.09, 0.07, i % 2 ? 5200 : 4300, i % 2 ? 4600 : 5600, 0.35);
        break;
    default: // hoopoe: three soft low "up-up-up" calls, twice
        for (int r = 0; r < 2; ++r)
            for (int i = 0; i < 3; ++i)
                w.tone(0.1 + r * 1.1 + i * 0.25, 0.16, 520, 480, 0.6);
        break;
    }
    w.silence(0.2);
    return w.wav();
}

// A little melody of our own, as note numbers of the major scale (0 = C5), in beats.
QByteArray melody(const std::vector<std::pair<int, double>> &notes, double beat, double octave)
{
    static const int scale[] = {0, 2, 4, 5, 7, 9, 11};
    Wave w;
    double at = 0.05;
    for (const auto &[degree, beats] : notes) {
        if (degree >= 0) {
            const int semitones = scale[degree % 7] + 12 * (degree / 7);
            const double f = 523.25 * octave * std::pow(2.0, semitones / 12.0);
            w.tone(at, beats * beat * 0.95, f, f, 0.45);
        }
        at += beats * beat;
    }
    w.silence(0.3);
    return w.wav();
}

QByteArray drumBeat()
{
    Wave w;
    for (int bar = 0; bar < 4; ++bar)
        for (int i = 0; i < 4; ++i) {
            const double at = 0.05 + bar * 1.2 + i * 0.3;
            w.tone(at, 0.18, i == 0 ? 140 : 220, 60, 0.8);
            if (i % 2)
                w.tone(at + 0.15, 0.05, 3000, 2500, 0.15);
        }
    return w.wav();
}

// ---------------------------------------------------------------------------------------------
// Pictures

QImage canvas(int w, int h, const QColor &top, const QColor &bottom)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(image.rect(), g);
    return image;
}

void caption(QPainter &p, const QRectF &r, const QString &text, int size, const QColor &colour)
{
    p.setFont(font(size, true));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

struct BirdLook
{
    QString name;
    QColor back, breast, head, beak;
};

const BirdLook kBirds[] = {
    {QStringLiteral("Pit-roig"), QColor(120, 100, 80), QColor(230, 110, 40), QColor(120, 100, 80),
     QColor(50, 40, 30)},
    {QStringLiteral("Merla"), QColor(30, 30, 34), QColor(45, 45, 50), QColor(30, 30, 34),
     QColor(245, 170, 20)},
    {QStringLiteral("Cadernera"), QColor(170, 130, 90), QColor(235, 215, 180), QColor(200, 30, 40),
     QColor(230, 210, 190)},
    {QStringLiteral("Puput"), QColor(200, 140, 90), QColor(225, 170, 120), QColor(200, 140, 90),
     QColor(60, 50, 40)},
};

QImage paintBird(int which)
{
    const BirdLook &b = kBirds[which];
    QImage image = canvas(480, 360, QColor(170, 215, 245), QColor(225, 240, 210));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The branch it sits on.
    p.setPen(QPen(QColor(100, 70, 40), 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 290), QPointF(460, 260));
    p.setPen(QPen(QColor(70, 140, 60), 6));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(60 + i * 95, 270 - i * 6 + (i % 2) * 16), 16, 8);
    // Tail, body, wing, head, eye, beak, legs.
    p.setPen(Qt::NoPen);
    p.setBrush(b.back);
    p.drawPolygon(QPolygonF{{150, 215}, {60, 265}, {80, 280}, {170, 240}});
    p.drawEllipse(QRectF(140, 130, 200, 130));
    p.setBrush(b.breast);
    p.drawEllipse(QRectF(220, 160, 120, 100));
    p.setBrush(b.back.darker(130));
    QPainterPath wing;
    wing.moveTo(170, 170);
    wing.cubicTo(220, 150, 280, 180, 290, 215);
    wing.cubicTo(240, 235, 180, 225, 170, 170);
    p.drawPath(wing);
    p.setBrush(b.head);
    p.drawEllipse(QPointF(320, 140), 48, 44);
    if (which == 3) { // the hoopoe's crest
        p.setBrush(QColor(220, 150, 80));
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(300 + i * 8, 92 - i * 3), 9, 26);
    }
    if (which == 2) { // the goldfinch's yellow wing bar
        p.setBrush(QColor(250, 210, 30));
        p.drawRoundedRect(QRectF(195, 195, 80, 14), 6, 6);
    }
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(336, 132), 9, 9);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(338, 132), 5, 5);
    p.setBrush(b.beak);
    const double beakLength = which == 3 ? 70 : 36;
    p.drawPolygon(QPolygonF{{362, 136}, {362 + beakLength, 150}, {360, 156}});
    p.setPen(QPen(QColor(90, 60, 40), 4));
    p.drawLine(QPointF(240, 258), QPointF(236, 276));
    p.drawLine(QPointF(270, 258), QPointF(272, 274));
    // No name on the picture: the typed quiz asks for it.
    return image;
}

// A skeleton seen from the front, drawn in a 400 × 600 picture; the bones named in the quizzes
// are at the marks of `kBones`.
QImage paintSkeleton()
{
    QImage image = canvas(400, 600, QColor(30, 40, 60), QColor(60, 80, 110));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor bone(240, 235, 215);
    p.setPen(QPen(bone, 10, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(bone);
    p.drawEllipse(QPointF(200, 60), 38, 46); // skull
    p.setBrush(QColor(30, 40, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(186, 56), 8, 9);
    p.drawEllipse(QPointF(214, 56), 8, 9);
    p.setPen(QPen(bone, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(200, 106), QPointF(200, 330)); // spine
    p.drawLine(QPointF(200, 130), QPointF(130, 140)); // collarbones
    p.drawLine(QPointF(200, 130), QPointF(270, 140));
    p.setPen(QPen(bone, 5));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) // ribs
        p.drawArc(QRectF(150 - i * 2, 150 + i * 22, 100 + i * 4, 36), 200 * 16, 140 * 16);
    p.setPen(QPen(bone, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(130, 140), QPointF(110, 250)); // upper arms
    p.drawLine(QPointF(270, 140), QPointF(290, 250));
    p.drawLine(QPointF(110, 250), QPointF(95, 350)); // forearms
    p.drawLine(QPointF(290, 250), QPointF(305, 350));
    p.setBrush(bone);
    p.drawEllipse(QRectF(150, 320, 100, 50));         // pelvis
    p.drawLine(QPointF(170, 360), QPointF(160, 470)); // thigh bones
    p.drawLine(QPointF(230, 360), QPointF(240, 470));
    p.drawLine(QPointF(160, 470), QPointF(158, 570)); // shin bones
    p.drawLine(QPointF(240, 470), QPointF(242, 570));
    p.drawLine(QPointF(158, 570), QPointF(130, 580));
    p.drawLine(QPointF(242, 570), QPointF(270, 580));
    return image;
}

struct Bone
{
    QString name;
    int x, y; // thousandths of the picture's width and height
};

const Bone kBones[] = {
    {QStringLiteral("Crani"), 500, 90},      {QStringLiteral("Clavícula"), 400, 225},
    {QStringLiteral("Costelles"), 500, 330}, {QStringLiteral("Húmer"), 300, 325},
    {QStringLiteral("Pelvis"), 500, 575},    {QStringLiteral("Fèmur"), 413, 690},
    {QStringLiteral("Tíbia"), 398, 865},
};

struct Country
{
    QString name, article, capital, adjective;
    std::function<void(QPainter &, const QRectF &)> paint;
};

void stripes(QPainter &p, const QRectF &r, const std::vector<QColor> &colours, bool vertical)
{
    const int n = int(colours.size());
    for (int i = 0; i < n; ++i) {
        const QRectF part =
            vertical
                ? QRectF(r.left() + r.width() * i / n, r.top(), r.width() / n + 1, r.height())
                : QRectF(r.left(), r.top() + r.height() * i / n, r.width(), r.height() / n + 1);
        p.fillRect(part, colours[size_t(i)]);
    }
}

void nordicCross(QPainter &p, const QRectF &r, const QColor &field, const QColor &cross)
{
    p.fillRect(r, field);
    const double t = r.height() / 5;
    p.fillRect(QRectF(r.left() + r.width() * 0.3, r.top(), t, r.height()), cross);
    p.fillRect(QRectF(r.left(), r.center().y() - t / 2, r.width(), t), cross);
}

const std::vector<Country> &countries()
{
    static const std::vector<Country> list = {
        {QStringLiteral("França"), QStringLiteral("de França"), QStringLiteral("París"),
         QStringLiteral("francesa"),
         [](QPainter &p, const QRectF &r) {
             stripes(p, r, {QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)}, true);
         }},
        {QStringLiteral("Itàlia"), QStringLiteral("d'Itàlia"), QStringLiteral("Roma"),
         QStringLiteral("italiana"),
         [](QPainter &p, const QRectF &r) {
             stripes(p, r, {QColor(0, 146, 70), Qt::white, QColor(206, 43, 55)}, true);
         }},
        {QStringLiteral("Alemanya"), QStringLiteral("d'Alemanya"), QStringLiteral("Berlín"),
         QStringLiteral("alemanya"),
         [](QPainter &p, const QRectF &r) {
             stripes(p, r, {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)}, false);
         }},
        {QStringLiteral("Bèlgica"), QStringLiteral("de Bèlgica"), QStringLiteral("Brussel·les"),
         QStringLiteral("belga"),
         [](QPainter &p, const QRectF &r) {
             stripes(p, r, {Qt::black, QColor(253, 218, 36), QColor(239, 51, 64)}, true);
         }},
        {QStringLiteral("Japó"), QStringLiteral("del Japó"), QStringLiteral("Tòquio"),
         QStringLiteral("japonesa"),
         [](QPainter &p, const QRectF &r) {
             p.fillRect(r, Qt::white);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(188, 0, 45));
             p.drawEllipse(r.center(), r.height() * 0.3, r.height() * 0.3);
         }},
        {QStringLiteral("Suècia"), QStringLiteral("de Suècia"), QStringLiteral("Estocolm"),
         QStringLiteral("sueca"),
         [](QPainter &p, const QRectF &r) {
             nordicCross(p, r, QColor(0, 106, 167), QColor(254, 204, 0));
         }},
        {QStringLiteral("Àustria"), QStringLiteral("d'Àustria"), QStringLiteral("Viena"),
         QStringLiteral("austríaca"),
         [](QPainter &p, const QRectF &r) {
             stripes(p, r, {QColor(200, 16, 46), Qt::white, QColor(200, 16, 46)}, false);
         }},
        {QStringLiteral("Irlanda"), QStringLiteral("d'Irlanda"), QStringLiteral("Dublín"),
         QStringLiteral("irlandesa"),
         [](QPainter &p, const QRectF &r) {
             stripes(p, r, {QColor(22, 155, 98), Qt::white, QColor(255, 136, 62)}, true);
         }},
    };
    return list;
}

QImage paintFlag(const Country &c, bool withName)
{
    QImage image = canvas(450, 340, QColor(235, 238, 242), QColor(205, 212, 222));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF flag(60, 40, 330, 220);
    p.fillRect(flag.translated(6, 6), QColor(0, 0, 0, 60));
    c.paint(p, flag);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(flag);
    if (withName)
        caption(p, QRectF(0, 275, 450, 50), c.name, 26, QColor(40, 40, 60));
    return image;
}

// The symbols of the sequential memory game.
QImage paintSymbol(int which, const QString &name)
{
    static const QColor colours[] = {QColor(220, 60, 60),  QColor(60, 140, 220),
                                     QColor(240, 180, 30), QColor(70, 170, 90),
                                     QColor(150, 80, 200), QColor(240, 120, 40)};
    QImage image(360, 360, QImage::Format_RGB32);
    image.fill(QColor(250, 250, 245));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(50, 50, 50), 4));
    p.setBrush(colours[which % 6]);
    const QPointF c(180, 160);
    switch (which) {
    case 0: { // heart
        QPainterPath h;
        h.moveTo(180, 250);
        h.cubicTo(60, 170, 90, 60, 180, 110);
        h.cubicTo(270, 60, 300, 170, 180, 250);
        p.drawPath(h);
        break;
    }
    case 1: // circle
        p.drawEllipse(c, 100, 100);
        break;
    case 2: { // star
        QPolygonF s;
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 45 : 110;
            s << c + QPointF(r * std::cos(a), r * std::sin(a));
        }
        p.drawPolygon(s);
        break;
    }
    case 3: // triangle
        p.drawPolygon(QPolygonF{{180, 50}, {290, 250}, {70, 250}});
        break;
    case 4: { // moon
        QPainterPath m;
        m.addEllipse(c, 100, 100);
        QPainterPath bite;
        bite.addEllipse(c + QPointF(45, -25), 85, 85);
        p.drawPath(m.subtracted(bite));
        break;
    }
    default: // square
        p.drawRect(QRectF(85, 65, 190, 190));
        break;
    }
    caption(p, QRectF(0, 290, 360, 60), name, 28, QColor(50, 50, 50));
    return image;
}

// Architecture: a classical column, a round arch, a pointed arch, a modernist facade, a bridge.
QImage paintColumn()
{
    QImage image = canvas(500, 400, QColor(160, 200, 240), QColor(240, 230, 200));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 110, 90), 2));
    for (int i = 0; i < 3; ++i) {
        const double x = 110 + i * 130;
        p.setBrush(QColor(235, 228, 210));
        p.drawRect(QRectF(x - 40, 80, 80, 16));  // capital
        p.drawRect(QRectF(x - 30, 96, 60, 240)); // shaft
        for (int f = 1; f < 5; ++f)
            p.drawLine(QPointF(x - 30 + f * 12, 100), QPointF(x - 30 + f * 12, 332));
        p.drawRect(QRectF(x - 44, 336, 88, 16)); // base
    }
    p.setBrush(QColor(225, 215, 195));
    p.drawPolygon(QPolygonF{{40, 80}, {250, 20}, {460, 80}});
    caption(p, QRectF(0, 355, 500, 40), QStringLiteral("Ordre dòric"), 22, QColor(60, 50, 40));
    return image;
}

QImage paintArch(bool pointed, const QString &label)
{
    QImage image = canvas(500, 400, QColor(190, 210, 230), QColor(210, 200, 180));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(60, 60, 380, 300), QColor(190, 160, 120));
    // Stone courses.
    p.setPen(QPen(QColor(150, 120, 90), 1));
    for (int y = 80; y < 360; y += 20)
        p.drawLine(QPointF(60, y), QPointF(440, y));
    QPainterPath opening;
    opening.moveTo(170, 360);
    opening.lineTo(170, 200);
    if (pointed) {
        opening.quadTo(170, 110, 250, 80);
        opening.quadTo(330, 110, 330, 200);
    } else {
        opening.arcTo(QRectF(170, 120, 160, 160), 180, -180);
    }
    opening.lineTo(330, 360);
    opening.closeSubpath();
    p.setPen(QPen(QColor(110, 80, 60), 6));
    p.setBrush(QColor(40, 35, 30));
    p.drawPath(opening);
    caption(p, QRectF(0, 360, 500, 40), label, 22, QColor(50, 40, 30));
    return image;
}

QImage paintModernist()
{
    QImage image = canvas(500, 400, QColor(120, 190, 230), QColor(230, 240, 250));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath facade;
    facade.moveTo(80, 370);
    facade.lineTo(80, 140);
    facade.cubicTo(120, 60, 200, 120, 250, 50);
    facade.cubicTo(300, 120, 380, 60, 420, 140);
    facade.lineTo(420, 370);
    facade.closeSubpath();
    p.setPen(QPen(QColor(80, 110, 120), 4));
    p.setBrush(QColor(180, 220, 210));
    p.drawPath(facade);
    // Round balconies and tile spots.
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const QRectF w(120 + col * 95, 160 + row * 65, 70, 45);
            p.setBrush(QColor(60, 80, 110));
            p.drawRoundedRect(w, 22, 22);
            p.setBrush(QColor(230, 120, 60));
            p.drawEllipse(QPointF(w.center().x(), w.bottom() + 8), 18, 6);
        }
    caption(p, QRectF(0, 370, 500, 30), QStringLiteral("Façana modernista"), 20,
            QColor(40, 60, 70));
    return image;
}

QImage paintBridge()
{
    QImage image = canvas(500, 400, QColor(250, 200, 150), QColor(120, 160, 210));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 300, 500, 100), QColor(60, 110, 170));
    p.setPen(QPen(QColor(120, 90, 70), 3));
    p.setBrush(QColor(170, 130, 100));
    QPainterPath deck;
    deck.addRect(QRectF(0, 220, 500, 30));
    for (int i = 0; i < 4; ++i) {
        QPainterPath arch;
        arch.addEllipse(QRectF(20 + i * 120, 240, 100, 120));
        deck.addRect(QRectF(i * 120, 250, 140, 60));
        deck = deck.subtracted(arch);
    }
    p.drawPath(deck);
    caption(p, QRectF(0, 20, 500, 40), QStringLiteral("Pont de pedra"), 24, QColor(60, 40, 30));
    return image;
}

// A hut with a door, as the program's icons draw it, for the ICO slide.
QImage paintHouseIcon()
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 50, 30), 2));
    p.setBrush(QColor(200, 60, 40));
    p.drawPolygon(QPolygonF{{6, 30}, {32, 6}, {58, 30}});
    p.setBrush(QColor(240, 220, 170));
    p.drawRect(QRectF(12, 30, 40, 28));
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(27, 40, 12, 18));
    return image;
}

// A fairy with a wand, and a castle on a hill, for the tale.
QImage paintFairy()
{
    QImage image = canvas(480, 400, QColor(60, 40, 120), QColor(200, 150, 220));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    for (int i = 0; i < 30; ++i)
        p.drawEllipse(QPointF((i * 97) % 480, (i * 53) % 220), 2, 2);
    p.setBrush(QColor(200, 230, 255, 150)); // wings
    p.drawEllipse(QRectF(150, 120, 90, 130));
    p.drawEllipse(QRectF(250, 120, 90, 130));
    p.setBrush(QColor(240, 120, 180)); // dress
    p.drawPolygon(QPolygonF{{245, 170}, {190, 340}, {300, 340}});
    p.setBrush(QColor(250, 220, 190)); // head
    p.drawEllipse(QPointF(245, 140), 30, 32);
    p.setBrush(QColor(240, 200, 60)); // hair
    p.drawChord(QRectF(213, 106, 64, 50), 0, 180 * 16);
    p.setPen(QPen(QColor(230, 210, 120), 4));
    p.drawLine(QPointF(290, 230), QPointF(350, 150)); // wand
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 120));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 8 : 20;
        star << QPointF(350 + r * std::cos(a), 145 + r * std::sin(a));
    }
    p.drawPolygon(star);
    caption(p, QRectF(0, 345, 480, 50), QStringLiteral("La fada Violeta"), 24,
            QColor(255, 255, 255));
    return image;
}

QImage paintCastle()
{
    QImage image = canvas(480, 400, QColor(120, 180, 240), QColor(230, 240, 250));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 160, 80));
    p.drawEllipse(QRectF(-100, 280, 680, 260));
    p.setBrush(QColor(190, 180, 170));
    p.setPen(QPen(QColor(110, 100, 95), 2));
    p.drawRect(QRectF(150, 170, 180, 130));
    for (double x : {120.0, 310.0}) {
        p.drawRect(QRectF(x, 120, 50, 180));
        p.setBrush(QColor(170, 60, 60));
        p.drawPolygon(QPolygonF{{x - 8, 120}, {x + 25, 60}, {x + 58, 120}});
        p.setBrush(QColor(190, 180, 170));
    }
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(155 + i * 36, 152, 22, 18));
    p.setBrush(QColor(90, 60, 40));
    p.drawChord(QRectF(210, 220, 60, 100), 0, 180 * 16);
    p.drawRect(QRectF(210, 270, 60, 30));
    caption(p, QRectF(0, 20, 480, 40), QStringLiteral("El castell del rei"), 24,
            QColor(40, 40, 80));
    return image;
}

QImage paintSky(bool sun)
{
    QImage image = sun ? canvas(400, 300, QColor(90, 170, 240), QColor(200, 230, 250))
                       : canvas(400, 300, QColor(10, 20, 50), QColor(40, 50, 90));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (sun) {
        p.setBrush(QColor(255, 210, 40));
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            p.drawPolygon(
                QPolygonF{QPointF(200 + 70 * std::cos(a - 0.12), 150 + 70 * std::sin(a - 0.12)),
                          QPointF(200 + 110 * std::cos(a), 150 + 110 * std::sin(a)),
                          QPointF(200 + 70 * std::cos(a + 0.12), 150 + 70 * std::sin(a + 0.12))});
        }
        p.drawEllipse(QPointF(200, 150), 62, 62);
    } else {
        p.setBrush(QColor(255, 255, 255, 160));
        for (int i = 0; i < 40; ++i)
            p.drawEllipse(QPointF((i * 131) % 400, (i * 71) % 300), 1.5, 1.5);
        QPainterPath moon;
        moon.addEllipse(QPointF(200, 150), 80, 80);
        QPainterPath shade;
        shade.addEllipse(QPointF(240, 130), 75, 75);
        p.setBrush(QColor(245, 240, 200));
        p.drawPath(moon.subtracted(shade));
    }
    return image;
}

QImage paintRainbow()
{
    QImage image = canvas(400, 300, QColor(150, 190, 230), QColor(220, 235, 245));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor bands[] = {QColor(230, 40, 40), QColor(245, 140, 30), QColor(250, 220, 40),
                            QColor(60, 180, 70), QColor(50, 120, 220), QColor(90, 60, 170),
                            QColor(150, 70, 190)};
    for (int i = 0; i < 7; ++i) {
        p.setPen(QPen(bands[i], 14));
        const double r = 170 - i * 14;
        p.drawArc(QRectF(200 - r, 280 - r, 2 * r, 2 * r), 0, 180 * 16);
    }
    return image;
}

QImage paintFoxAndCrow()
{
    QImage image = canvas(500, 380, QColor(170, 210, 240), QColor(200, 225, 170));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 80, 50)); // tree
    p.drawRect(QRectF(330, 120, 30, 240));
    p.setBrush(QColor(60, 130, 60));
    p.drawEllipse(QRectF(260, 20, 170, 130));
    p.setBrush(QColor(20, 20, 25)); // crow
    p.drawEllipse(QRectF(300, 120, 70, 40));
    p.drawEllipse(QPointF(370, 125), 16, 15);
    p.setBrush(QColor(240, 200, 60)); // the cheese
    p.drawPolygon(QPolygonF{{384, 128}, {402, 134}, {386, 140}});
    p.setBrush(QColor(220, 110, 40)); // fox
    p.drawEllipse(QRectF(90, 270, 130, 60));
    p.drawEllipse(QPointF(225, 270), 30, 26);
    p.drawPolygon(QPolygonF{{210, 250}, {215, 225}, {228, 248}});
    p.drawPolygon(QPolygonF{{232, 248}, {242, 222}, {248, 252}});
    p.drawPolygon(QPolygonF{{90, 290}, {30, 250}, {60, 300}});
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(38, 258), 9, 7);
    caption(p, QRectF(0, 335, 500, 40), QStringLiteral("El pacte"), 24, QColor(40, 60, 30));
    return image;
}

// An animated GIF from frames painted at `size`, each held `delay` hundredths of a second. The
// frames are reduced to the palette given.
QByteArray animatedGif(QSize size, const QList<QRgb> &palette, int frames, int delay,
                       const std::function<void(QPainter &, int)> &paint)
{
    GifBuilder gif(size.width(), size.height(), palette);
    gif.addApplication("NETSCAPE2.0", QByteArray("\x01\x00\x00", 3)); // loop for ever
    for (int f = 0; f < frames; ++f) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(palette.first());
        {
            QPainter p(&frame);
            paint(p, f);
        }
        std::vector<std::uint8_t> indices(size_t(size.width() * size.height()));
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb c = frame.pixel(x, y);
                int best = 0, bestDistance = INT_MAX;
                for (int i = 0; i < palette.size(); ++i) {
                    const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                              db = qBlue(c) - qBlue(palette[i]);
                    const int d = dr * dr + dg * dg + db * db;
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                indices[size_t(y * size.width() + x)] = std::uint8_t(best);
            }
        gif.addGraphicControl(delay);
        gif.addFrame(size.width(), size.height(), indices);
    }
    return gif.finish();
}

QByteArray windmillGif()
{
    const QList<QRgb> palette{qRgb(200, 225, 245), qRgb(250, 250, 250), qRgb(120, 80, 50),
                              qRgb(90, 160, 80),   qRgb(60, 60, 60),    qRgb(230, 220, 200)};
    return animatedGif(QSize(240, 240), palette, 8, 12, [](QPainter &p, int f) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 160, 80));
        p.drawRect(0, 200, 240, 40);
        p.setBrush(QColor(230, 220, 200));
        p.drawPolygon(QPolygonF{{100, 210}, {110, 100}, {130, 100}, {140, 210}});
        p.setBrush(QColor(120, 80, 50));
        p.drawPolygon(QPolygonF{{104, 102}, {120, 80}, {136, 102}});
        p.setBrush(QColor(250, 250, 250));
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.translate(120, 100);
        p.rotate(f * 360.0 / 32);
        for (int i = 0; i < 4; ++i) {
            p.drawRect(QRectF(4, -8, 80, 16));
            p.rotate(90);
        }
    });
}

QByteArray sparkleGif()
{
    const QList<QRgb> palette{qRgb(60, 40, 120), qRgb(255, 240, 120), qRgb(255, 255, 255),
                              qRgb(230, 210, 120), qRgb(240, 120, 180)};
    return animatedGif(QSize(200, 200), palette, 6, 15, [](QPainter &p, int f) {
        p.setPen(QPen(QColor(230, 210, 120), 5));
        p.drawLine(QPointF(40, 170), QPointF(120, 80));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4 + f * 0.3, r = 20 + (f * 9 + i * 5) % 45;
            p.setBrush(i % 2 ? QColor(255, 255, 255) : QColor(255, 240, 120));
            p.drawEllipse(QPointF(125 + r * std::cos(a), 75 + r * std::sin(a)), 4, 4);
        }
        p.setBrush(QColor(240, 120, 180));
        p.drawEllipse(QPointF(125, 75), 10, 10);
    });
}

// A Windows metafile of a temple front: a placeable header, then pens, brushes, a polygon, the
// columns as rectangles and an ellipse.
QByteArray templeWmf()
{
    QByteArray body;
    int maxRecord = 0, objects = 0;
    auto word = [](QByteArray &out, int v) {
        out += char(v & 0xFF);
        out += char((v >> 8) & 0xFF);
    };
    auto record = [&](int function, const std::vector<int> &params) {
        const int size = 3 + int(params.size());
        maxRecord = std::max(maxRecord, size);
        word(body, size & 0xFFFF);
        word(body, size >> 16);
        word(body, function);
        for (int v : params)
            word(body, v);
    };
    auto colour = [](int r, int g, int b) { return std::vector<int>{r | g << 8, b}; };
    auto brush = [&](int r, int g, int b) {
        std::vector<int> params{0}; // solid
        const auto c = colour(r, g, b);
        params.insert(params.end(), c.begin(), c.end());
        params.push_back(0);
        record(0x02FC, params);
        record(0x012D, {objects});
        ++objects;
    };
    record(0x020B, {0, 0});     // window origin
    record(0x020C, {600, 800}); // window extent (y, x)
    {
        std::vector<int> pen{0, 3, 0};
        const auto c = colour(90, 80, 60);
        pen.insert(pen.end(), c.begin(), c.end());
        record(0x02FA, pen);
        record(0x012D, {objects++});
    }
    brush(200, 225, 245);
    record(0x041B, {600, 800, 0, 0}); // sky (bottom, right, top, left)
    brush(245, 200, 80);
    record(0x0418, {170, 720, 50, 600}); // sun
    brush(235, 228, 210);
    record(0x0324, {3, 100, 200, 400, 60, 700, 200}); // pediment
    for (int i = 0; i < 5; ++i) {
        const int x = 140 + i * 120;
        record(0x041B, {500, x + 50, 210, x}); // column
    }
    record(0x041B, {540, 730, 500, 70}); // steps
    record(0x0000, {});
    QByteArray header;
    word(header, 1); // in memory
    word(header, 9); // header words
    word(header, 0x0300);
    const int total = (18 + body.size()) / 2;
    word(header, total & 0xFFFF);
    word(header, total >> 16);
    word(header, objects);
    word(header, maxRecord & 0xFFFF);
    word(header, maxRecord >> 16);
    word(header, 0);
    QByteArray placeable;
    word(placeable, 0xCDD7);
    word(placeable, 0x9AC6);
    word(placeable, 0);            // handle
    for (int v : {0, 0, 800, 600}) // bounds
        word(placeable, v);
    word(placeable, 96); // units per inch
    word(placeable, 0);
    word(placeable, 0); // reserved
    int checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= quint8(placeable[i]) | quint8(placeable[i + 1]) << 8;
    word(placeable, checksum);
    return placeable + header + body;
}

// ---------------------------------------------------------------------------------------------
// The examples

struct Out
{
    QDir root;

    QString dir(const QString &relative)
    {
        if (!root.mkpath(relative))
            fail(QStringLiteral("cannot create %1").arg(root.filePath(relative)));
        return root.filePath(relative);
    }
};

QString in(const QString &dir, const QString &name)
{
    return dir + QLatin1Char('/') + name;
}

const QString kBirdFiles[] = {QStringLiteral("pit-roig"), QStringLiteral("merla"),
                              QStringLiteral("cadernera"), QStringLiteral("puput")};

void birds(Out &out)
{
    const QString d = out.dir(QStringLiteral("Àudio/Ocells"));
    QStringList table;
    for (int i = 0; i < 4; ++i) {
        const QString picture =
            kBirdFiles[i] + (i == 3 ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        savePicture(paintBird(i), in(d, picture), i == 3 ? "JPEG" : "PNG", 90);
        writeBytes(in(d, kBirdFiles[i] + QStringLiteral(".wav")), birdSong(i));
        table << QStringList{picture, QStringLiteral("-1"), QStringLiteral("-1"),
                             kBirdFiles[i] + QStringLiteral(".wav"), kBirds[i].name}
                     .join(QLatin1Char('\t'));
    }
    auto picture = [](int i) {
        return kBirdFiles[i] + (i == 3 ? QStringLiteral(".jpg") : QStringLiteral(".png"));
    };
    auto song = [](int i) { return kBirdFiles[i] + QStringLiteral(".wav"); };

    // 1: look and listen, then name the singer among four; every answer plays its bird from the
    // table. Learning mode.
    QStringList one{slide({}, {}, QStringLiteral("Ocells del jardí"),
                          QStringLiteral("Mireu cada ocell i escolteu el seu cant"))};
    for (int i = 0; i < 4; ++i)
        one << slide(picture(i), QStringLiteral("B"), kBirds[i].name,
                     QStringLiteral("Escolteu el seu cant"), {}, song(i));
    for (int i : {1, 0, 3, 2}) {
        QString answers;
        for (int j = 0; j < 4; ++j)
            answers += (j ? QStringLiteral("|") : QString()) +
                       (j == i ? QStringLiteral("*") + kBirds[j].name
                               : kBirds[j].name + QStringLiteral("///"));
        one << slide({}, QStringLiteral("XPR"), QStringLiteral("Quin ocell canta?"), answers, {},
                     song(i));
    }
    one << slide({}, QStringLiteral("As"), QStringLiteral("Molt bé!"),
                 QStringLiteral("Ja coneixeu quatre ocells"));
    writeText(in(d, QStringLiteral("Ocells1.sal")), one);
    writeText(in(d, QStringLiteral("Ocells1.sml")), table);
    writeText(in(d, QStringLiteral("Ocells1.ini")),
              baseIni({QStringLiteral("ManualViewing=1")})
                  .section(QStringLiteral("PresSort"),
                           {QStringLiteral("PresSort=0"), QStringLiteral("ShowingModel=1"),
                            QStringLiteral("MAMaxIncorrections=2")})
                  .lines);

    // 2: hear and type the name, helped by a mask with its first letter; an exam with a score.
    QStringList two{slide({}, {}, QStringLiteral("Qui canta?"),
                          QStringLiteral("Escolteu i escriviu el nom de l'ocell"))};
    for (int i : {2, 0, 3, 1})
        two << slide(picture(i), QStringLiteral("XP"), QStringLiteral("Com es diu aquest ocell?"),
                     QStringLiteral("&") + kBirds[i].name, {}, song(i));
    two << slide({}, QStringLiteral("TAs"), QStringLiteral("Fi de l'examen"),
                 QStringLiteral("Aquesta és la vostra puntuació"));
    writeText(in(d, QStringLiteral("Ocells2.sal")), two);
    writeText(in(d, QStringLiteral("Ocells2.sml")), table);
    writeText(
        in(d, QStringLiteral("Ocells2.ini")),
        baseIni({QStringLiteral("ManualViewing=1")})
            .section(QStringLiteral("PresSort"), {QStringLiteral("ShowingModel=2")})
            .section(QStringLiteral("AloneAnswer"),
                     {QStringLiteral("ByInput=1"), QStringLiteral("WithMask=1"),
                      QStringLiteral("ChangeIncorrectChar=1"), QStringLiteral("IgnoreAccent=1"),
                      QStringLiteral("CheckAtEnd=0"), QStringLiteral("MaxIncorrections=3")})
            .section(QStringLiteral("PanelPA"), {QStringLiteral("EditAnswWidth=220")})
            .lines);

    // 3: only the songs, in random order; the answer is recalled mentally and revealed with
    // Space. The first and last slides keep their places.
    QStringList three{slide({}, {}, QStringLiteral("Endevineu l'ocell"),
                            QStringLiteral("Escolteu, penseu-hi i premeu Espai"))};
    for (int i = 0; i < 4; ++i)
        three << slide({}, QStringLiteral("XPAr"), QStringLiteral("Quin ocell és?"), kBirds[i].name,
                       {}, song(i));
    three << slide({}, QStringLiteral("As"), QStringLiteral("Fi"),
                   QStringLiteral("Torneu-hi quan vulgueu"));
    writeText(in(d, QStringLiteral("Ocells3.sal")), three);
    writeText(in(d, QStringLiteral("Ocells3.sml")), table);
    writeText(
        in(d, QStringLiteral("Ocells3.ini")),
        baseIni({QStringLiteral("ManualViewing=1")})
            .section(QStringLiteral("PresSort"),
                     {QStringLiteral("PresSort=1"), QStringLiteral("PresDRandom=1"),
                      QStringLiteral("OmissionFirstSlide=1"), QStringLiteral("OmissionLastSlide=1"),
                      QStringLiteral("ShowingModel=1")})
            .section(QStringLiteral("AloneAnswer"), {QStringLiteral("ByInput=0")})
            .lines);
}

struct Instrument
{
    QString file, title, text;
};

const Instrument kInstruments[] = {
    {QStringLiteral("corda"), QStringLiteral("Instruments de corda"),
     QStringLiteral("El violí, la viola, el violoncel i el contrabaix sonen quan l'arc frega les "
                    "cordes. La guitarra i l'arpa es toquen pinçant-les amb els dits.")},
    {QStringLiteral("vent"), QStringLiteral("Instruments de vent"),
     QStringLiteral("La flauta, el clarinet, l'oboè i la trompeta sonen amb l'aire que hi "
                    "bufem. Com més llarg és el tub, més greu és el so.")},
    {QStringLiteral("percussio"), QStringLiteral("Instruments de percussió"),
     QStringLiteral("El timbal, el bombo, el xilòfon i les castanyoles sonen quan els piquem. "
                    "Marquen el ritme de la música.")},
};

QString htmlPage(const Instrument &i, const QString &colour)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ca\"><head><meta charset=\"utf-8\">"
                          "<title>%1</title></head>\n<body style=\"font-family: 'DejaVu Sans', "
                          "sans-serif; background: %3; margin: 2em;\">\n<h1>%1</h1>\n<p "
                          "style=\"font-size: 1.3em;\">%2</p>\n<p><i>Escolteu la música mentre "
                          "llegiu.</i></p>\n</body></html>\n")
        .arg(i.title, i.text, colour);
}

// RTF text: characters outside ASCII as \'xx escapes of the code page.
QString rtfEscaped(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            out += QStringLiteral("\\'%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\') + c;
        else
            out += c;
    }
    return out;
}

QString rtfPage(const QString &title, const QStringList &paragraphs, int red, int green, int blue)
{
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss DejaVu "
                                 "Sans;}}{\\colortbl;\\red%1\\green%2\\blue%3;\\red40\\green40"
                                 "\\blue40;}\n\\qc\\cf1\\b\\fs44 %4\\b0\\par\n\\ql\\cf2\\fs28 ")
                      .arg(red)
                      .arg(green)
                      .arg(blue)
                      .arg(rtfEscaped(title));
    for (const QString &p : paragraphs)
        rtf += rtfEscaped(p) + QStringLiteral("\\par\n");
    return rtf + QStringLiteral("}\n");
}

void music(Out &out)
{
    const QString d = out.dir(QStringLiteral("Àudio/Presentació"));
    writeBytes(in(d, QStringLiteral("melodia.wav")), melody({{0, 1},
                                                             {1, 1},
                                                             {2, 1},
                                                             {0, 1},
                                                             {2, 1},
                                                             {3, 1},
                                                             {4, 2},
                                                             {4, 1},
                                                             {5, 0.5},
                                                             {4, 0.5},
                                                             {3, 1},
                                                             {2, 1},
                                                             {1, 1},
                                                             {0, 2}},
                                                            0.35, 1.0));
    writeBytes(in(d, QStringLiteral("flauta.wav")), melody({{4, 1.5},
                                                            {5, 0.5},
                                                            {4, 1},
                                                            {2, 1},
                                                            {3, 1},
                                                            {1, 1},
                                                            {0, 2},
                                                            {-1, 1},
                                                            {7, 1},
                                                            {6, 1},
                                                            {4, 2}},
                                                           0.4, 2.0));
    writeBytes(in(d, QStringLiteral("ritme.wav")), drumBeat());
    const QString sounds[] = {QStringLiteral("melodia.wav"), QStringLiteral("flauta.wav"),
                              QStringLiteral("ritme.wav")};
    const QString colours[] = {QStringLiteral("#fdf3e1"), QStringLiteral("#e7f3fd"),
                               QStringLiteral("#f3fde7")};
    const int rtfColours[][3] = {{160, 60, 20}, {20, 80, 160}, {40, 120, 40}};

    // Web pages: the melody goes on from the first page to the second ("Ac"), the rhythm
    // repeats ("Ar") and the last slide stops every sound ("As").
    QStringList htm{slide({}, {}, QStringLiteral("Els instruments"),
                          QStringLiteral("Una presentació amb pàgines web i música"))};
    QStringList rtf{slide({}, {}, QStringLiteral("Els instruments"),
                          QStringLiteral("Una presentació amb textos enriquits i música"))};
    const QString audioFlags[] = {QStringLiteral("Ac"), QString(), QStringLiteral("Ar")};
    for (int i = 0; i < 3; ++i) {
        const Instrument &ins = kInstruments[i];
        QFile f(in(d, ins.file + QStringLiteral(".htm")));
        const QByteArray page = htmlPage(ins, colours[i]).toUtf8();
        if (!f.open(QIODevice::WriteOnly) || f.write(page) != page.size())
            fail(QStringLiteral("cannot write %1").arg(f.fileName()));
        writeText(in(d, ins.file + QStringLiteral(".rtf")),
                  rtfPage(ins.title,
                          {ins.text, QStringLiteral("Escolteu la música mentre llegiu.")},
                          rtfColours[i][0], rtfColours[i][1], rtfColours[i][2])
                      .split(QLatin1Char('\n')));
        // The melody of the first page carries on under the second, which has no track.
        const QString track = i == 1 ? QString() : sounds[i == 0 ? 0 : 2];
        htm << slide(ins.file + QStringLiteral(".htm"), audioFlags[i], {}, {}, {}, track);
        rtf << slide(ins.file + QStringLiteral(".rtf"), audioFlags[i], {}, {}, {},
                     i == 1 ? QString() : sounds[i == 0 ? 1 : 2]);
    }
    htm << slide({}, QStringLiteral("As"), QStringLiteral("Fi"), QStringLiteral("Silenci!"));
    rtf << slide({}, QStringLiteral("As"), QStringLiteral("Fi"), QStringLiteral("Silenci!"));
    writeText(in(d, QStringLiteral("MúsicaHtm.sal")), htm);
    writeText(in(d, QStringLiteral("MúsicaRtf.sal")), rtf);
    const Ini ini =
        baseIni({QStringLiteral("ManualViewing=1")})
            .section(QStringLiteral("Image"),
                     {QStringLiteral("ColorRichEdit=%1").arg(storedColour(255, 252, 240))});
    writeText(in(d, QStringLiteral("MúsicaHtm.ini")), ini.lines);
    writeText(in(d, QStringLiteral("MúsicaRtf.ini")), ini.lines);
}

void skeleton(Out &out)
{
    const QString d = out.dir(QStringLiteral("Marques d'imatge"));
    const QString picture = QStringLiteral("esquelet.png");
    savePicture(paintSkeleton(), in(d, picture), "PNG");
    QStringList table;
    for (const Bone &b : kBones)
        table << QStringList{picture, QString::number(b.x), QString::number(b.y), QString(), b.name}
                     .join(QLatin1Char('\t'));
    auto mark = [](const Bone &b) { return QStringLiteral("x%1y%2").arg(b.x).arg(b.y); };

    // 1: each bone pointed out by the mark, then a quiz: the mark shows a bone and the answers
    // name bones; a wrong answer shows, from the table, where the bone chosen lies.
    QStringList one{slide({}, {}, QStringLiteral("L'esquelet"),
                          QStringLiteral("Els ossos principals del cos"))};
    for (const Bone &b : kBones)
        one << slide(picture, mark(b), b.name, QStringLiteral("La marca vermella assenyala l'os"));
    one << slide({}, {}, QStringLiteral("Ara vosaltres"),
                 QStringLiteral("Quin os assenyala la marca?"));
    const int asked[] = {3, 0, 5, 2, 6};
    for (int k : asked) {
        QString answers;
        const int options[] = {k, (k + 2) % 7, (k + 4) % 7};
        for (int j = 0; j < 3; ++j)
            answers += (j ? QStringLiteral("|") : QString()) +
                       (j == 0 ? QStringLiteral("*") + kBones[options[j]].name
                               : kBones[options[j]].name + QStringLiteral("///"));
        one << slide(picture, QStringLiteral("XPR") + mark(kBones[k]),
                     QStringLiteral("Quin os és?"), answers);
    }
    writeText(in(d, QStringLiteral("Esquelet1.sal")), one);
    writeText(in(d, QStringLiteral("Esquelet1.sml")), table);
    const QStringList markKeys{QStringLiteral("Size=24"),        QStringLiteral("ConstRatio=1"),
                               QStringLiteral("PenMode=4"),      QStringLiteral("PenColor=0"),
                               QStringLiteral("BrushColor=255"), QStringLiteral("PenWidth=2")};
    writeText(in(d, QStringLiteral("Esquelet1.ini")),
              baseIni({QStringLiteral("ManualViewing=1")})
                  .section(QStringLiteral("Mark"), markKeys)
                  .section(QStringLiteral("PresSort"), {QStringLiteral("ShowingModel=1")})
                  .section(QStringLiteral("Image"), {QStringLiteral("ImgAmpliationEnabled=1"),
                                                     QStringLiteral("ImgAmpliation=150")})
                  .lines);

    // 2: an exam: type the name of the bone the mark shows; accents are not required.
    QStringList two{slide({}, {}, QStringLiteral("Examen de l'esquelet"),
                          QStringLiteral("Escriviu el nom de l'os assenyalat"))};
    for (int k : {0, 1, 3, 4, 5, 6})
        two << slide(picture, QStringLiteral("XP") + mark(kBones[k]),
                     QStringLiteral("Nom de l'os:"), kBones[k].name + QStringLiteral("//<2"));
    two << slide({}, QStringLiteral("T"), QStringLiteral("Resultat"),
                 QStringLiteral("Cada os val dos punts"));
    writeText(in(d, QStringLiteral("Esquelet2.sal")), two);
    writeText(in(d, QStringLiteral("Esquelet2.sml")), table);
    writeText(in(d, QStringLiteral("Esquelet2.ini")),
              baseIni({QStringLiteral("ManualViewing=1")})
                  .section(QStringLiteral("Mark"), markKeys)
                  .section(QStringLiteral("PresSort"), {QStringLiteral("ShowingModel=2")})
                  .section(QStringLiteral("AloneAnswer"),
                           {QStringLiteral("ByInput=1"), QStringLiteral("WithMask=1"),
                            QStringLiteral("IgnoreAccent=1"), QStringLiteral("CheckAtEnd=1"),
                            QStringLiteral("MaxIncorrections=2")})
                  .lines);
}

void architecture(Out &out)
{
    const QString d = out.dir(QStringLiteral("Presentacions/Amb imatges"));
    savePicture(paintColumn(), in(d, QStringLiteral("columnes.png")), "PNG");
    savePicture(paintArch(false, QStringLiteral("Arc de mig punt")),
                in(d, QStringLiteral("romanic.jpg")), "JPEG", 88);
    savePicture(paintArch(true, QStringLiteral("Arc apuntat")), in(d, QStringLiteral("gotic.bmp")),
                "BMP");
    savePicture(paintModernist(), in(d, QStringLiteral("modernista.png")), "PNG");
    savePicture(paintBridge(), in(d, QStringLiteral("pont.jpg")), "JPEG", 88);
    savePicture(paintHouseIcon(), in(d, QStringLiteral("casa.ico")), "ICO");
    writeBytes(in(d, QStringLiteral("molí.gif")), windmillGif());
    writeBytes(in(d, QStringLiteral("temple.wmf")), templeWmf());

    // 1: automatic, each slide its own time, notes on every side; at the end it goes on into the
    // second list.
    const QStringList one{
        slide({}, {}, QStringLiteral("Arquitectura"), QStringLiteral("Estils de construcció"),
              QStringLiteral("4")),
        slide(QStringLiteral("temple.wmf"), QStringLiteral("B"), QStringLiteral("El temple grec"),
              QStringLiteral("Columnes, frontó i escalinata|(un metafitxer de Windows)"),
              QStringLiteral("5")),
        slide(QStringLiteral("columnes.png"), QStringLiteral("L"), QStringLiteral("Les columnes"),
              QStringLiteral("Base, fust i capitell"), QStringLiteral("5")),
        slide(QStringLiteral("romanic.jpg"), QStringLiteral("T"), QStringLiteral("El romànic"),
              QStringLiteral("Arcs de mig punt i murs gruixuts"), QStringLiteral("5")),
        slide(QStringLiteral("gotic.bmp"), QStringLiteral("R"), QStringLiteral("El gòtic"),
              QStringLiteral("Arcs apuntats|que s'enlairen"), QStringLiteral("5")),
        slide(QStringLiteral("modernista.png"), QStringLiteral("B"),
              QStringLiteral("El modernisme"), QStringLiteral("Corbes, colors i ceràmica"),
              QStringLiteral("5")),
        slide(QStringLiteral("Arquitectura2.sal"), {}, {}, {}),
    };
    writeText(in(d, QStringLiteral("Arquitectura1.sal")), one);
    writeText(
        in(d, QStringLiteral("Arquitectura1.ini")),
        baseIni({QStringLiteral("ManualViewing=0")})
            .section(QStringLiteral("Image"),
                     {QStringLiteral("ImageDelay=4"), QStringLiteral("ImgAmpliationEnabled=1"),
                      QStringLiteral("ImgAmpliation=200"), QStringLiteral("ImgFrameEnabled=1"),
                      QStringLiteral("ImgFrameWidth=12")})
            .section(QStringLiteral("PanelNoteLR"),
                     {QStringLiteral("WordWrapLRLines=1"), QStringLiteral("ManualSize=1"),
                      QStringLiteral("Size=160")})
            .lines);

    // 2: the rest in random order, for ever, the title first.
    const QStringList two{
        slide({}, {}, QStringLiteral("Més construccions"),
              QStringLiteral("En ordre aleatori, sense fi"), QStringLiteral("3")),
        slide(QStringLiteral("pont.jpg"), QStringLiteral("B"), QStringLiteral("Un pont de pedra"),
              QStringLiteral("Arcs que travessen el riu")),
        slide(QStringLiteral("molí.gif"), QStringLiteral("B"), QStringLiteral("Un molí de vent"),
              QStringLiteral("Una animació GIF")),
        slide(QStringLiteral("casa.ico"), QStringLiteral("B"), QStringLiteral("Una casa"),
              QStringLiteral("Una icona ampliada")),
        slide(QStringLiteral("columnes.png"), QStringLiteral("B"), QStringLiteral("Columnes"),
              QStringLiteral("Ordre dòric")),
    };
    writeText(in(d, QStringLiteral("Arquitectura2.sal")), two);
    writeText(
        in(d, QStringLiteral("Arquitectura2.ini")),
        baseIni({QStringLiteral("ManualViewing=0"), QStringLiteral("LoopImages=1")})
            .section(QStringLiteral("Image"),
                     {QStringLiteral("ImageDelay=3"), QStringLiteral("ImgAmpliationEnabled=1"),
                      QStringLiteral("ImgAmpliation=400"), QStringLiteral("ImgGifAnimate=1")})
            .section(QStringLiteral("PresSort"),
                     {QStringLiteral("PresSort=1"), QStringLiteral("PresDRandom=1"),
                      QStringLiteral("OmissionFirstSlide=1")})
            .lines);
}

void fairyTale(Out &out)
{
    const QString d = out.dir(QStringLiteral("Presentacions/Conte lineal"));
    savePicture(paintFairy(), in(d, QStringLiteral("fada.png")), "PNG");
    savePicture(paintCastle(), in(d, QStringLiteral("castell.jpg")), "JPEG", 88);
    writeBytes(in(d, QStringLiteral("vareta.gif")), sparkleGif());
    writeText(in(d, QStringLiteral("inici.txt")),
              {QStringLiteral("Hi havia una vegada, en un país molt llunyà, una fada que es deia "
                              "Violeta."),
               QString(),
               QStringLiteral("La fada vivia al bosc, a prop del castell del rei, i cada nit "
                              "encenia les estrelles amb la seva vareta.")});
    writeText(in(d, QStringLiteral("final.rtf")),
              rtfPage(QStringLiteral("I van ser feliços"),
                      {QStringLiteral("Des d'aquell dia, al castell no hi va faltar mai la llum."),
                       QStringLiteral("I conte contat, conte acabat.")},
                      120, 40, 140)
                  .split(QLatin1Char('\n')));
    writeText(in(d, QStringLiteral("El conte sencer.txt")),
              {QStringLiteral("La fada Violeta"), QString(),
               QStringLiteral("Hi havia una vegada una fada que es deia Violeta. Cada nit encenia "
                              "les estrelles amb la seva vareta."),
               QStringLiteral("Una nit, el rei va veure que al castell no quedava cap llum: "
                              "s'havien apagat totes les espelmes."),
               QStringLiteral("La fada va agitar la vareta i les estrelles van baixar fins a les "
                              "finestres del castell."),
               QStringLiteral("Des d'aquell dia, al castell no hi va faltar mai la llum."),
               QStringLiteral("I conte contat, conte acabat.")});
    const QStringList fada{
        slide({}, {}, QStringLiteral("La fada Violeta"), QStringLiteral("Un conte per llegir")),
        slide(QStringLiteral("inici.txt"), {}),
        slide(QStringLiteral("fada.png"), QStringLiteral("B"), QStringLiteral("La fada Violeta"),
              QStringLiteral("Cada nit encenia les estrelles")),
        slide(QStringLiteral("castell.jpg"), QStringLiteral("T"), QStringLiteral("Una nit fosca"),
              QStringLiteral("Al castell no quedava cap llum")),
        slide(QStringLiteral("vareta.gif"), QStringLiteral("B"), QStringLiteral("La vareta màgica"),
              QStringLiteral("Les estrelles van baixar fins a les finestres")),
        slide(QStringLiteral("final.rtf"), {}),
        slide({}, QStringLiteral("O"), QStringLiteral("El conte sencer.txt"),
              QStringLiteral("El conte sencer, per imprimir")),
        slide({}, {}, QStringLiteral("Fi"), QStringLiteral("Conte contat, conte acabat")),
    };
    writeText(in(d, QStringLiteral("Fada.sal")), fada);
    writeText(in(d, QStringLiteral("Fada.ini")),
              baseIni({QStringLiteral("ManualViewing=1")}, storedColour(70, 40, 130),
                      storedColour(210, 160, 230))
                  .section(QStringLiteral("Image"),
                           {QStringLiteral("ColorRichEdit=%1").arg(storedColour(255, 250, 235)),
                            QStringLiteral("ImgGifAnimateSpeed=15")})
                  .lines);
}

void riddles(Out &out)
{
    const QString d = out.dir(QStringLiteral("Presentacions/Endevinalles"));
    savePicture(paintSky(false), in(d, QStringLiteral("lluna.png")), "PNG");
    savePicture(paintSky(true), in(d, QStringLiteral("sol.png")), "PNG");
    savePicture(paintRainbow(), in(d, QStringLiteral("arc de Sant Martí.png")), "PNG");
    // The right answer jumps to the slide that shows it; wrong answers explain why; each
    // picture goes on at the next riddle ("*"), past the "try again" slide.
    const QStringList lines{
        slide({}, {}, QStringLiteral("Endevinalles"), QStringLiteral("Trieu la resposta correcta")),
        // 2
        slide({}, QStringLiteral("XP"),
              QStringLiteral("De nit surto i de dia m'amago,|de vegades sóc rodona|i de vegades "
                             "un tros. Qui sóc?"),
              QStringLiteral("*La lluna//*3|El sol//El sol no surt de nit|Una estrella//Les "
                             "estrelles no canvien de forma")),
        // 3
        slide(QStringLiteral("lluna.png"), QStringLiteral("B*5"), QStringLiteral("La lluna!"),
              QStringLiteral("Creix i minva cada mes")),
        // 4
        slide({}, {}, QStringLiteral("No és aquesta"), QStringLiteral("Torneu-hi")),
        // 5
        slide({}, QStringLiteral("XPR"),
              QStringLiteral("Set colors porto|quan plou i fa sol. Qui sóc?"),
              QStringLiteral("*L'arc de Sant Martí//*6|Un núvol//Els núvols són blancs o grisos|"
                             "La pluja//*4")),
        // 6
        slide(QStringLiteral("arc de Sant Martí.png"), QStringLiteral("B"),
              QStringLiteral("L'arc de Sant Martí!"),
              QStringLiteral("Vermell, taronja, groc, verd, "
                             "blau, anyil i violeta")),
        // 7
        slide({}, QStringLiteral("XP"),
              QStringLiteral("Tothom em mira|però ningú no em pot mirar gaire estona. Qui sóc?"),
              QStringLiteral("*El sol//*8|La lluna//La lluna sí que es pot mirar|Una bombeta")),
        // 8
        slide(QStringLiteral("sol.png"), QStringLiteral("B"), QStringLiteral("El sol!"),
              QStringLiteral("No el mireu mai directament")),
        slide({}, {}, QStringLiteral("Fi de les endevinalles"), QStringLiteral("Fins aviat!")),
    };
    writeText(in(d, QStringLiteral("Endevina 1.sal")), lines);
    writeText(in(d, QStringLiteral("Endevina 1.ini")),
              baseIni({QStringLiteral("ManualViewing=1")}, storedColour(20, 90, 60),
                      storedColour(150, 220, 170))
                  .section(QStringLiteral("PresSort"), {QStringLiteral("ShowingModel=1"),
                                                        QStringLiteral("MAMaxIncorrections=2")})
                  .section(QStringLiteral("PanelPA"), {QStringLiteral("ManualSize=0")})
                  .lines);
}

void readingComprehension(Out &out)
{
    const QString d = out.dir(QStringLiteral("Comprensió lectora"));
    savePicture(paintFoxAndCrow(), in(d, QStringLiteral("guineu i corb.png")), "PNG");
    writeText(in(d, QStringLiteral("El pacte.rtf")),
              rtfPage(QStringLiteral("El pacte"),
                      {QStringLiteral("Una guineu molt llesta va veure un corb dalt d'un pi amb "
                                      "un tros de formatge al bec."),
                       QStringLiteral("-Corb -li va dir-, fem un pacte: si em cantes una cançó, "
                                      "et diré on hi ha un camp ple de blat."),
                       QStringLiteral("El corb, cofoi, va obrir el bec per cantar, i el formatge "
                                      "va caure als peus de la guineu."),
                       QStringLiteral("-El camp és darrere el turó -va riure la guineu, amb el "
                                      "formatge a la boca-. I el pacte, corb, l'has complert tu "
                                      "sol."),
                       QStringLiteral("Des d'aquell dia, el corb no fa mai cap pacte amb la boca "
                                      "plena.")},
                      140, 60, 20)
                  .split(QLatin1Char('\n')));
    const QStringList lines{
        slide({}, {}, QStringLiteral("Comprensió lectora"),
              QStringLiteral("Llegiu el conte i responeu les preguntes")),
        slide(QStringLiteral("El pacte.rtf"), {}),
        slide(QStringLiteral("guineu i corb.png"), QStringLiteral("B"),
              QStringLiteral("La guineu i el corb")),
        slide({}, QStringLiteral("XPR"), QStringLiteral("Què tenia el corb al bec?"),
              QStringLiteral("Formatge//<2|Blat//<0|Una cançó//<0")),
        slide({}, QStringLiteral("XPR"), QStringLiteral("Què li va prometre la guineu?"),
              QStringLiteral("Dir-li on hi havia blat//<2|Donar-li formatge//<0|Cantar-li una "
                             "cançó//<0")),
        slide({}, QStringLiteral("XP"), QStringLiteral("Per què va caure el formatge?"),
              QStringLiteral("*Perquè el corb va obrir el bec|Perquè la guineu va saltar|"
                             "Perquè va bufar el vent")),
        slide({}, QStringLiteral("XP"), QStringLiteral("Quin animal era llest?"),
              QStringLiteral("La guine&u")),
        slide({}, QStringLiteral("T"), QStringLiteral("Resultat"), QStringLiteral("Fins aviat")),
    };
    writeText(in(d, QStringLiteral("El pacte.sal")), lines);
    writeText(in(d, QStringLiteral("El pacte.ini")),
              baseIni({QStringLiteral("ManualViewing=1")})
                  .section(QStringLiteral("Image"),
                           {QStringLiteral("ColorRichEdit=%1").arg(storedColour(255, 253, 245))})
                  .section(QStringLiteral("PresSort"),
                           {QStringLiteral("ShowingModel=2"), QStringLiteral("UseNegativeScore=1"),
                            QStringLiteral("MAMaxIncorrections=1")})
                  .section(QStringLiteral("AloneAnswer"),
                           {QStringLiteral("ByInput=1"), QStringLiteral("WithMask=1"),
                            QStringLiteral("CheckAtEnd=1")})
                  .lines);
}

void capitals(Out &out)
{
    const QString d = out.dir(QStringLiteral("Exàmens"));
    QStringList lines{slide({}, {}, QStringLiteral("Capitals d'Europa i del món"),
                            QStringLiteral("Examen: escriviu o trieu la capital"))};
    const auto &list = countries();
    for (size_t i = 0; i < list.size(); ++i) {
        const Country &c = list[i];
        const QString file = QStringLiteral("bandera %1.png").arg(i + 1);
        savePicture(paintFlag(c, true), in(d, file), "PNG");
        if (i % 2 == 0) { // typed, with the first letter given; two points
            lines << slide(file, QStringLiteral("XP"),
                           QStringLiteral("Quina és la capital %1?").arg(c.article),
                           QStringLiteral("&") + c.capital + QStringLiteral("//<2"));
        } else { // chosen among three, in random order
            const Country &a = list[(i + 2) % list.size()], &b = list[(i + 5) % list.size()];
            lines << slide(file, QStringLiteral("XPR"),
                           QStringLiteral("Quina és la capital %1?").arg(c.article),
                           QStringLiteral("*%1|%2|%3").arg(c.capital, a.capital, b.capital));
        }
        if (i == 3)
            lines << slide({}, QStringLiteral("T"), QStringLiteral("A mig examen"),
                           QStringLiteral("Així aneu"));
    }
    lines << slide({}, QStringLiteral("T"), QStringLiteral("Fi de l'examen"),
                   QStringLiteral("Gràcies"));
    writeText(in(d, QStringLiteral("Capitals.sal")), lines);
    writeText(in(d, QStringLiteral("Capitals.ini")),
              baseIni({QStringLiteral("ManualViewing=1")}, storedColour(130, 30, 30),
                      storedColour(240, 170, 150))
                  .section(QStringLiteral("PresSort"),
                           {QStringLiteral("ShowingModel=2"), QStringLiteral("UseNegativeScore=0"),
                            QStringLiteral("MAMaxIncorrections=1")})
                  .section(QStringLiteral("AloneAnswer"),
                           {QStringLiteral("ByInput=1"), QStringLiteral("WithMask=1"),
                            QStringLiteral("IgnoreAccent=1"), QStringLiteral("CheckAtEnd=1"),
                            QStringLiteral("MaxIncorrections=1")})
                  .section(QStringLiteral("Presentation"), {QStringLiteral("PresWithITName=0")})
                  .lines);
}

void flags(Out &out)
{
    const QString d = out.dir(QStringLiteral("Mem. associativa imatges"));
    const auto &list = countries();
    QStringList table, words;
    for (size_t i = 0; i < list.size(); ++i) {
        const QString file = QStringLiteral("bandera %1.png").arg(i + 1);
        savePicture(paintFlag(list[i], false), in(d, file), "PNG");
        table << QStringList{file, QStringLiteral("-1"), QStringLiteral("-1"), QString(),
                             list[i].name}
                     .join(QLatin1Char('\t'));
        words << list[i].name + QLatin1Char('\t') +
                     QStringLiteral("La capital és %1").arg(list[i].capital);
    }
    auto options = [&list](size_t i, const QString &wrongSuffix) {
        const size_t others[] = {(i + 1) % list.size(), (i + 3) % list.size()};
        return QStringLiteral("*%1|%2%4|%3%4")
            .arg(list[i].name, list[others[0]].name, list[others[1]].name, wrongSuffix);
    };
    // 1: a wrong choice shows the flag of the country chosen, from the picture table.
    QStringList one{
        slide({}, {}, QStringLiteral("Banderes"), QStringLiteral("De quin país és cada bandera?"))};
    for (size_t i = 0; i < list.size(); ++i)
        one << slide(QStringLiteral("bandera %1.png").arg(i + 1), QStringLiteral("XPR"),
                     QStringLiteral("De quin país és?"), options(i, QStringLiteral("///")));
    one << slide({}, {}, QStringLiteral("Fi"), QStringLiteral("Ja les coneixeu totes?"));
    writeText(in(d, QStringLiteral("Banderes1.sal")), one);
    writeText(in(d, QStringLiteral("Banderes1.sml")), table);
    // 2: a wrong choice tells the capital of the country chosen, from the word table; the
    // flags come in random order.
    QStringList two{slide({}, {}, QStringLiteral("Banderes i capitals"),
                          QStringLiteral("Si us equivoqueu, us direm la capital del país triat"))};
    for (size_t i = 0; i < list.size(); ++i)
        two << slide(QStringLiteral("bandera %1.png").arg(i + 1), QStringLiteral("XPR"),
                     QStringLiteral("De quin país és?"), options(i, QStringLiteral("///")));
    two << slide({}, {}, QStringLiteral("Fi"), QStringLiteral("Gràcies"));
    writeText(in(d, QStringLiteral("Banderes2.sal")), two);
    writeText(in(d, QStringLiteral("Banderes2.wml")), words);
    const QStringList learning{QStringLiteral("ShowingModel=1"),
                               QStringLiteral("MAMaxIncorrections=3")};
    writeText(in(d, QStringLiteral("Banderes1.ini")),
              baseIni({QStringLiteral("ManualViewing=1")})
                  .section(QStringLiteral("PresSort"), learning)
                  .section(QStringLiteral("PresErrWindow"),
                           {QStringLiteral("Referent=1"), QStringLiteral("SizePercent=40")})
                  .lines);
    writeText(
        in(d, QStringLiteral("Banderes2.ini")),
        baseIni({QStringLiteral("ManualViewing=1")})
            .section(QStringLiteral("PresSort"),
                     QStringList{QStringLiteral("PresSort=1"), QStringLiteral("PresDRandom=1"),
                                 QStringLiteral("OmissionFirstSlide=1"),
                                 QStringLiteral("OmissionLastSlide=1")} +
                         learning)
            .lines);
}

void symbols(Out &out)
{
    const QString d = out.dir(QStringLiteral("Mem. seqüencial/Símbols"));
    const QString names[] = {QStringLiteral("Cor"),      QStringLiteral("Cercle"),
                             QStringLiteral("Estrella"), QStringLiteral("Triangle"),
                             QStringLiteral("Lluna"),    QStringLiteral("Quadrat")};
    QStringList lines;
    for (int i = 0; i < 6; ++i) {
        const QString file = names[i].toLower() + QStringLiteral(".png");
        savePicture(paintSymbol(i, names[i]), in(d, file), "PNG");
        lines << slide(file, QStringLiteral("B"), names[i]);
    }
    writeText(in(d, QStringLiteral("Símbols.sal")), lines);
    writeText(in(d, QStringLiteral("Símbols.ini")),
              baseIni({QStringLiteral("ManualViewing=1")})
                  .section(QStringLiteral("PresSort"),
                           {QStringLiteral("PresSort=2"), QStringLiteral("ShowingModel=1"),
                            QStringLiteral("InitialMemorizedCount=2"),
                            QStringLiteral("UseAllSlidesToMem=1"),
                            QStringLiteral("PresRepeatedImages=0")})
                  .lines);
}

void video(Out &out, const QDir &samples, const QDir &sources)
{
    const QString d = out.dir(QStringLiteral("Vídeo"));
    auto copy = [&](const QString &from, const QString &to) {
        QFile::remove(in(d, to));
        if (!QFile::copy(from, in(d, to)))
            fail(QStringLiteral("cannot copy %1").arg(from));
        QFile::setPermissions(in(d, to), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    };
    copy(samples.filePath(QStringLiteral("fractal.avi")), QStringLiteral("fractal.avi"));
    copy(sources.filePath(QStringLiteral("fractal.mov")), QStringLiteral("fractal.mov"));
    savePicture(paintSky(true), in(d, QStringLiteral("sol.png")), "PNG");
    const QStringList lines{
        slide({}, {}, QStringLiteral("Vídeos"),
              QStringLiteral("Un vídeo AVI i un vídeo QuickTime")),
        slide(QStringLiteral("fractal.avi"), {}, QStringLiteral("Un fractal en moviment"),
              QStringLiteral("Vídeo AVI")),
        slide(QStringLiteral("fractal.mov"), {}, QStringLiteral("El mateix, en QuickTime"),
              QStringLiteral("Vídeo MOV")),
        slide(QStringLiteral("sol.png"), QStringLiteral("B"), QStringLiteral("I una imatge"),
              QStringLiteral("Entre vídeo i vídeo")),
        slide({}, {}, QStringLiteral("Fi"), QStringLiteral("Gràcies")),
    };
    writeText(in(d, QStringLiteral("Pres vídeo.sal")), lines);
    writeText(in(d, QStringLiteral("Pres vídeo.ini")),
              baseIni({QStringLiteral("ManualViewing=1")}).lines);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: makeexamples <samples folder> <sources folder> <output folder>\n");
        return 2;
    }
    const QDir samples(QString::fromLocal8Bit(argv[1]));
    const QDir sources(QString::fromLocal8Bit(argv[2]));
    Out out{QDir(QString::fromLocal8Bit(argv[3]))};
    if (!QDir().mkpath(out.root.path())) {
        std::fprintf(stderr, "makeexamples: cannot create %s\n", argv[3]);
        return 1;
    }
    birds(out);
    music(out);
    skeleton(out);
    architecture(out);
    fairyTale(out);
    riddles(out);
    readingComprehension(out);
    capitals(out);
    flags(out);
    symbols(out);
    video(out, samples, sources);
    return g_ok ? 0 : 1;
}
