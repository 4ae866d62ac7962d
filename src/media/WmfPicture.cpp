#include "media/WmfPicture.h"

#include "files/TextCodec.h"
#include "media/PictureLimits.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <optional>
#include <variant>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kHeaderSize = 18;
constexpr int kMaxObjects = 65535;
// Text taller than this is far beyond any picture; the bound also keeps a huge font height under a
// large scale from overflowing the conversion to whole pixels.
constexpr qreal kMaxFontPixels = 16384;

int fontPixelSize(qreal pixels)
{
    if (!(pixels >= 1)) // also NaN
        return 1;
    return qRound(qMin(pixels, kMaxFontPixels));
}

// Record functions.
enum : std::uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_RESTOREDC = 0x0127,
    META_SETBKCOLOR = 0x0201,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETTEXTCOLOR = 0x0209,
    META_SETTEXTALIGN = 0x012E,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_SCALEWINDOWEXT = 0x0410,
    META_SCALEVIEWPORTEXT = 0x0412,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_POLYPOLYGON = 0x0538,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_TEXTOUT = 0x0521,
    META_EXTTEXTOUT = 0x0A32,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
    META_SETDIBTODEV = 0x0D33,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPALETTE = 0x00F7,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_CREATEREGION = 0x06FF,
};

struct LogFont
{
    int height = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

struct OtherObject
{
};
using GdiObject = std::variant<QPen, QBrush, LogFont, OtherObject>;

struct DcState
{
    QPen pen = QPen(QColor(Qt::black), 0);
    QBrush brush = QBrush(Qt::white);
    LogFont font;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    bool bkOpaque = true;
    int textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF position;
    QPointF windowOrg;
    QSizeF windowExt = QSizeF(1, 1);
    QPointF viewportOrg;
    QSizeF viewportExt = QSizeF(1, 1);
    bool viewportSet = false; // without it, logical units are the frame's units
};

QColor colorRef(quint32 v)
{
    if ((v >> 24) != 0 && (v >> 24) != 2)
        return QColor(Qt::black); // palette indices: no palette is realised
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// Prepends a file header to a packed DIB and lets Qt's BMP reader decode it.
QImage decodeDib(const uchar *p, qsizetype size)
{
    if (size < 12)
        return {};
    const quint32 headerSize = quint32(p[0] | p[1] << 8 | p[2] << 16 | quint32(p[3]) << 24);
    qint64 width = 0, height = 0;
    int bitCount = 0;
    quint32 compression = 0, colorsUsed = 0;
    int entrySize = 4;
    if (headerSize == 12) {
        width = p[4] | p[5] << 8;
        height = qint16(p[6] | p[7] << 8);
        bitCount = p[10] | p[11] << 8;
        entrySize = 3;
    } else if (headerSize >= 40 && size >= 40) {
        width = qint32(p[4] | p[5] << 8 | p[6] << 16 | quint32(p[7]) << 24);
        height = qint32(p[8] | p[9] << 8 | p[10] << 16 | quint32(p[11]) << 24);
        bitCount = p[14] | p[15] << 8;
        compression = quint32(p[16] | p[17] << 8 | p[18] << 16 | quint32(p[19]) << 24);
        colorsUsed = quint32(p[32] | p[33] << 8 | p[34] << 16 | quint32(p[35]) << 24);
    } else {
        return {};
    }
    if (width <= 0 || height == 0 || width * std::abs(height) > kMaxPicturePixels)
        return {};
    qint64 colors = colorsUsed;
    if (colors == 0 && bitCount <= 8)
        colors = qint64(1) << bitCount;
    if (colors > 256)
        return {};
    qint64 offBits = 14 + qint64(headerSize) + colors * entrySize;
    if (headerSize == 40 && compression == 3)
        offBits += 12; // the three colour masks
    QByteArray file;
    file.reserve(size + 14);
    const qint64 fileSize = size + 14;
    const char head[14] = {'B',
                           'M',
                           char(fileSize & 0xFF),
                           char((fileSize >> 8) & 0xFF),
                           char((fileSize >> 16) & 0xFF),
                           char((fileSize >> 24) & 0xFF),
                           0,
                           0,
                           0,
                           0,
                           char(offBits & 0xFF),
                           char((offBits >> 8) & 0xFF),
                           char((offBits >> 16) & 0xFF),
                           char((offBits >> 24) & 0xFF)};
    file.append(head, 14);
    file.append(reinterpret_cast<const char *>(p), size);
    return QImage::fromData(file, "BMP");
}

class Player
{
public:
    Player(const QByteArray &bytes, const std::vector<WmfPicture::Record> &records, int objects,
           QPainter &painter, const QTransform &base)
        : m_bytes(bytes), m_records(records), m_painter(painter), m_base(base),
          m_objects(size_t(objects))
    {}

    void play()
    {
        applyTransform();
        m_painter.setPen(m_dc.pen);
        m_painter.setBrush(m_dc.brush);
        for (const WmfPicture::Record &r : m_records) {
            m_rec = &r;
            if (r.function == META_EOF)
                break;
            run(r.function);
        }
        while (!m_saved.empty()) {
            m_saved.pop_back();
            m_painter.restore();
        }
    }

private:
    // Parameters, by 16-bit word index; reads past the record give 0.
    int s16(qsizetype i) const
    {
        if (i < 0 || i >= m_rec->words)
            return 0;
        const auto *p =
            reinterpret_cast<const uchar *>(m_bytes.constData()) + m_rec->offset + 2 * i;
        return qint16(p[0] | p[1] << 8);
    }
    int u16(qsizetype i) const { return s16(i) & 0xFFFF; }
    quint32 u32(qsizetype i) const { return quint32(u16(i)) | quint32(u16(i + 1)) << 16; }
    const uchar *paramBytes(qsizetype wordIndex) const
    {
        return reinterpret_cast<const uchar *>(m_bytes.constData()) + m_rec->offset + 2 * wordIndex;
    }
    qsizetype paramByteCount(qsizetype wordIndex) const
    {
        return wordIndex >= m_rec->words ? 0 : 2 * (m_rec->words - wordIndex);
    }
    // The rectangle of records that store bottom, right, top, left from word `i`.
    QRectF rectAt(qsizetype i) const
    {
        return QRectF(QPointF(s16(i + 3), s16(i + 2)), QPointF(s16(i + 1), s16(i))).normalized();
    }

    void applyTransform()
    {
        QTransform world;
        if (m_dc.viewportSet && m_dc.windowExt.width() != 0 && m_dc.windowExt.height() != 0) {
            const qreal sx = m_dc.viewportExt.width() / m_dc.windowExt.width();
            const qreal sy = m_dc.viewportExt.height() / m_dc.windowExt.height();
            world = QTransform(sx, 0, 0, sy, m_dc.viewportOrg.x() - m_dc.windowOrg.x() * sx,
                               m_dc.viewportOrg.y() - m_dc.windowOrg.y() * sy);
        }
        m_painter.setWorldTransform(world * m_base);
    }

    int createSlot(GdiObject object)
    {
        for (size_t i = 0; i < m_objects.size(); ++i)
            if (!m_objects[i]) {
                m_objects[i] = std::move(object);
                return int(i);
            }
        if (m_objects.size() >= size_t(kMaxObjects))
            return -1;
        m_objects.push_back(std::move(object));
        return int(m_objects.size() - 1);
    }

    void selectObject(int index)
    {
        if (index < 0 || size_t(index) >= m_objects.size() || !m_objects[size_t(index)])
            return;
        const GdiObject &o = *m_objects[size_t(index)];
        if (const QPen *pen = std::get_if<QPen>(&o)) {
            m_dc.pen = *pen;
            m_painter.setPen(m_dc.pen);
        } else if (const QBrush *brush = std::get_if<QBrush>(&o)) {
            m_dc.brush = *brush;
            m_painter.setBrush(m_dc.brush);
        } else if (const LogFont *font = std::get_if<LogFont>(&o)) {
            m_dc.font = *font;
        }
    }

    QPen makePen() const
    {
        const int style = u16(0) & 0x0F;
        const int width = std::abs(s16(1));
        QPen pen(colorRef(u32(3)), width);
        pen.setCosmetic(width == 0);
        switch (style) {
        case 1: pen.setStyle(Qt::DashLine); break;
        case 2: pen.setStyle(Qt::DotLine); break;
        case 3: pen.setStyle(Qt::DashDotLine); break;
        case 4: pen.setStyle(Qt::DashDotDotLine); break;
        case 5: pen.setStyle(Qt::NoPen); break;
        default: pen.setStyle(Qt::SolidLine); break;
        }
        return pen;
    }

    QBrush makeBrush() const
    {
        const int style = u16(0);
        const QColor color = colorRef(u32(1));
        switch (style) {
        case 0: return QBrush(color);
        case 1: return QBrush(Qt::NoBrush);
        case 2: {
            static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                     Qt::FDiagPattern, Qt::BDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
            const int hatch = u16(3);
            return QBrush(color, hatch >= 0 && hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
        }
        default: return QBrush(color);
        }
    }

    LogFont makeFont() const
    {
        LogFont f;
        f.height = s16(0);
        f.escapement = s16(2);
        f.weight = s16(4);
        const uchar *b = paramBytes(5);
        const qsizetype n = paramByteCount(5);
        if (n >= 3) {
            f.italic = b[0] != 0;
            f.underline = b[1] != 0;
            f.strikeOut = b[2] != 0;
        }
        if (n > 8) {
            QByteArray face(reinterpret_cast<const char *>(b + 8), qMin<qsizetype>(32, n - 8));
            const qsizetype zero = face.indexOf('\0');
            if (zero >= 0)
                face.truncate(zero);
            f.face = QString::fromLatin1(face);
        }
        return f;
    }

    void drawPolygon(const QPolygonF &polygon)
    {
        if (polygon.size() >= 2)
            m_painter.drawPolygon(polygon, m_dc.fillRule);
    }

    QPolygonF pointsAt(qsizetype firstWord, int count) const
    {
        QPolygonF out;
        count = int(qMin<qsizetype>(count, (m_rec->words - firstWord) / 2));
        out.reserve(qMax(count, 0));
        for (int i = 0; i < count; ++i)
            out.append(QPointF(s16(firstWord + 2 * i), s16(firstWord + 2 * i + 1)));
        return out;
    }

    // Arc angles in the painter's convention from the radial end points; GDI draws
    // counter-clockwise as seen on the device.
    void arcAngles(const QRectF &r, QPointF start, QPointF end, qreal &startDeg,
                   qreal &spanDeg) const
    {
        const QPointF c = r.center();
        const qreal rx = qMax<qreal>(r.width() / 2, 1e-9), ry = qMax<qreal>(r.height() / 2, 1e-9);
        auto angle = [&](QPointF p) {
            return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180.0 / M_PI;
        };
        startDeg = angle(start);
        spanDeg = angle(end) - startDeg;
        while (spanDeg <= 0)
            spanDeg += 360;
        if (m_painter.worldTransform().determinant() < 0)
            spanDeg -= 360;
    }

    void drawArcKind(std::uint16_t kind)
    {
        const QRectF r = rectAt(4);
        qreal start = 0, span = 0;
        arcAngles(r, QPointF(s16(3), s16(2)), QPointF(s16(1), s16(0)), start, span);
        QPainterPath path;
        if (kind == META_ARC) {
            path.arcMoveTo(r, start);
            path.arcTo(r, start, span);
            m_painter.strokePath(path, m_dc.pen);
            return;
        }
        if (kind == META_PIE) {
            path.moveTo(r.center());
            path.arcTo(r, start, span);
        } else {
            path.arcMoveTo(r, start);
            path.arcTo(r, start, span);
        }
        path.closeSubpath();
        m_painter.drawPath(path);
    }

    void drawText(QPointF at, const QByteArray &bytes, const QRectF *opaqueRect)
    {
        const QString text = decode8BitText(bytes).text;
        const bool updateCp = m_dc.textAlign & 1;
        if (updateCp)
            at = m_dc.position;

        // Text stays upright whatever the mapping: draw it in device space at the mapped point.
        const QTransform t = m_painter.worldTransform();
        const QPointF device = t.map(at);
        const qreal sx = std::hypot(t.m11(), t.m12());
        const qreal sy = std::hypot(t.m21(), t.m22());

        QFont font(m_dc.font.face.isEmpty() ? QStringLiteral("DejaVu Sans") : m_dc.font.face);
        const qreal logicalHeight =
            m_dc.font.height == 0 ? 12.0 / qMax(sy, 1e-9) : std::abs(m_dc.font.height);
        font.setPixelSize(fontPixelSize(logicalHeight * sy));
        if (m_dc.font.height > 0) {
            // A positive height is the cell height: ascent plus descent.
            const qreal cell = QFontMetricsF(font).height();
            if (cell > 0)
                font.setPixelSize(fontPixelSize(logicalHeight * sy * logicalHeight * sy / cell));
        }
        font.setItalic(m_dc.font.italic);
        font.setUnderline(m_dc.font.underline);
        font.setStrikeOut(m_dc.font.strikeOut);
        if (m_dc.font.weight > 0)
            font.setWeight(QFont::Weight(qBound(100, m_dc.font.weight, 900)));
        const QFontMetricsF fm(font);
        const qreal width = fm.horizontalAdvance(text);

        qreal x = 0;
        switch (m_dc.textAlign & 6) {
        case 2: x = -width; break;
        case 6: x = -width / 2; break;
        default: break;
        }
        qreal y = fm.ascent(); // top
        switch (m_dc.textAlign & 24) {
        case 8: y = -fm.descent(); break;
        case 24: y = 0; break;
        default: break;
        }

        m_painter.save();
        if (opaqueRect) {
            m_painter.fillRect(*opaqueRect, m_dc.bkColor);
        }
        m_painter.resetTransform();
        m_painter.translate(device);
        m_painter.rotate(-m_dc.font.escapement / 10.0);
        m_painter.setFont(font);
        if (m_dc.bkOpaque && !opaqueRect)
            m_painter.fillRect(QRectF(x, y - fm.ascent(), width, fm.height()), m_dc.bkColor);
        m_painter.setPen(m_dc.textColor);
        m_painter.drawText(QPointF(x, y), text);
        m_painter.restore();
        (void)sx;
        if (updateCp)
            m_dc.position = at + QPointF(width / qMax(sx, 1e-9), 0);
    }

    void drawDib(const QRectF &dest, QRectF source, qsizetype dibWord, quint32 rop)
    {
        QImage image = decodeDib(paramBytes(dibWord), paramByteCount(dibWord));
        if (image.isNull())
            return;
        if (source.isEmpty())
            source = QRectF(0, 0, image.width(), image.height());
        // Source rows count from the bottom of a bottom-up bitmap.
        source.moveTop(image.height() - source.top() - source.height());
        const bool mirrorX = dest.width() < 0, mirrorY = dest.height() < 0;
        if (mirrorX || mirrorY)
            image = image.mirrored(mirrorX, mirrorY);
        m_painter.save();
        switch (rop) {
        case 0x008800C6:
            m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            break;
        case 0x00EE0086:
            m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            break;
        case 0x00660046:
            m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            break;
        default: break;
        }
        m_painter.drawImage(dest.normalized(), image, source);
        m_painter.restore();
    }

    void patBlt(const QRectF &r, quint32 rop)
    {
        switch (rop) {
        case 0x00000042: m_painter.fillRect(r, Qt::black); break;
        case 0x00FF0062: m_painter.fillRect(r, Qt::white); break;
        case 0x00550009:
            m_painter.save();
            m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            m_painter.fillRect(r, Qt::white);
            m_painter.restore();
            break;
        default: m_painter.fillRect(r, m_dc.brush); break;
        }
    }

    void run(std::uint16_t function)
    {
        switch (function) {
        case META_SAVEDC:
            m_saved.push_back(m_dc);
            m_painter.save();
            break;
        case META_RESTOREDC: {
            int n = s16(0);
            int pops = n < 0 ? -n : int(m_saved.size()) - n + 1;
            while (pops-- > 0 && !m_saved.empty()) {
                m_dc = m_saved.back();
                m_saved.pop_back();
                m_painter.restore();
            }
            applyTransform();
            m_painter.setPen(m_dc.pen);
            m_painter.setBrush(m_dc.brush);
            break;
        }
        case META_SETBKCOLOR: m_dc.bkColor = colorRef(u32(0)); break;
        case META_SETBKMODE: m_dc.bkOpaque = u16(0) == 2; break;
        case META_SETTEXTCOLOR: m_dc.textColor = colorRef(u32(0)); break;
        case META_SETTEXTALIGN: m_dc.textAlign = u16(0); break;
        case META_SETPOLYFILLMODE:
            m_dc.fillRule = u16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
            break;
        case META_SETWINDOWORG:
            m_dc.windowOrg = QPointF(s16(1), s16(0));
            applyTransform();
            break;
        case META_SETWINDOWEXT:
            m_dc.windowExt = QSizeF(s16(1), s16(0));
            applyTransform();
            break;
        case META_SETVIEWPORTORG:
            m_dc.viewportOrg = QPointF(s16(1), s16(0));
            m_dc.viewportSet = true;
            applyTransform();
            break;
        case META_SETVIEWPORTEXT:
            m_dc.viewportExt = QSizeF(s16(1), s16(0));
            m_dc.viewportSet = true;
            applyTransform();
            break;
        case META_OFFSETWINDOWORG:
            m_dc.windowOrg += QPointF(s16(1), s16(0));
            applyTransform();
            break;
        case META_OFFSETVIEWPORTORG:
            m_dc.viewportOrg += QPointF(s16(1), s16(0));
            applyTransform();
            break;
        case META_SCALEWINDOWEXT:
        case META_SCALEVIEWPORTEXT: {
            const int yDen = s16(0), yNum = s16(1), xDen = s16(2), xNum = s16(3);
            if (xDen == 0 || yDen == 0)
                break;
            QSizeF &ext = function == META_SCALEWINDOWEXT ? m_dc.windowExt : m_dc.viewportExt;
            ext = QSizeF(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
            applyTransform();
            break;
        }
        case META_MOVETO: m_dc.position = QPointF(s16(1), s16(0)); break;
        case META_LINETO: {
            const QPointF to(s16(1), s16(0));
            m_painter.drawLine(m_dc.position, to);
            m_dc.position = to;
            break;
        }
        case META_SETPIXEL: {
            const QPointF at(s16(3), s16(2));
            m_painter.fillRect(QRectF(at, QSizeF(1, 1)), colorRef(u32(0)));
            break;
        }
        case META_RECTANGLE: m_painter.drawRect(rectAt(0)); break;
        case META_ROUNDRECT: {
            const QRectF r = rectAt(2);
            m_painter.drawRoundedRect(r, std::abs(s16(1)) / 2.0, std::abs(s16(0)) / 2.0);
            break;
        }
        case META_ELLIPSE: m_painter.drawEllipse(rectAt(0)); break;
        case META_ARC:
        case META_PIE:
        case META_CHORD: drawArcKind(function); break;
        case META_POLYGON: drawPolygon(pointsAt(1, u16(0))); break;
        case META_POLYLINE: {
            const QPolygonF line = pointsAt(1, u16(0));
            if (line.size() >= 2)
                m_painter.drawPolyline(line);
            break;
        }
        case META_POLYPOLYGON: {
            const int polygons = u16(0);
            qsizetype word = 1 + polygons;
            if (word > m_rec->words)
                break;
            QPainterPath path;
            path.setFillRule(m_dc.fillRule);
            for (int i = 0; i < polygons; ++i) {
                const int count = u16(1 + i);
                const QPolygonF polygon = pointsAt(word, count);
                word += 2 * qsizetype(count);
                if (polygon.size() >= 2) {
                    path.addPolygon(polygon);
                    path.closeSubpath();
                }
                if (word > m_rec->words)
                    break;
            }
            m_painter.drawPath(path);
            break;
        }
        case META_TEXTOUT: {
            const int count = u16(0);
            const qsizetype strWords = (count + 1) / 2;
            if (paramByteCount(1) < count)
                break;
            const QByteArray bytes(reinterpret_cast<const char *>(paramBytes(1)), count);
            drawText(QPointF(s16(1 + strWords + 1), s16(1 + strWords)), bytes, nullptr);
            break;
        }
        case META_EXTTEXTOUT: {
            const QPointF at(s16(1), s16(0));
            const int count = u16(2);
            const int options = u16(3);
            qsizetype word = 4;
            std::optional<QRectF> rect;
            if (options & 0x0006) {
                rect = QRectF(QPointF(s16(4), s16(5)), QPointF(s16(6), s16(7))).normalized();
                word = 8;
            }
            if (paramByteCount(word) < count)
                break;
            const QByteArray bytes(reinterpret_cast<const char *>(paramBytes(word)), count);
            m_painter.save();
            if (rect && (options & 0x0004))
                m_painter.setClipRect(*rect, Qt::IntersectClip);
            drawText(at, bytes, rect && (options & 0x0002) ? &*rect : nullptr);
            m_painter.restore();
            break;
        }
        case META_PATBLT: patBlt(QRectF(s16(5), s16(4), s16(3), s16(2)), u32(0)); break;
        case META_DIBSTRETCHBLT: {
            // Without a bitmap the record is a pattern fill.
            const QRectF dest(s16(9), s16(8), s16(7), s16(6));
            if (m_rec->words <= 10) {
                patBlt(QRectF(s16(8), s16(7), s16(6), s16(5)), u32(0));
                break;
            }
            drawDib(dest, QRectF(s16(5), s16(4), s16(3), s16(2)), 10, u32(0));
            break;
        }
        case META_DIBBITBLT: {
            if (m_rec->words <= 8) {
                patBlt(QRectF(s16(7), s16(6), s16(5), s16(4)), u32(0));
                break;
            }
            const QRectF dest(s16(7), s16(6), s16(5), s16(4));
            drawDib(dest, QRectF(s16(3), s16(2), s16(5), s16(4)), 8, u32(0));
            break;
        }
        case META_STRETCHDIB: {
            const QRectF dest(s16(10), s16(9), s16(8), s16(7));
            drawDib(dest, QRectF(s16(6), s16(5), s16(4), s16(3)), 11, u32(0));
            break;
        }
        case META_SETDIBTODEV: {
            const QRectF dest(s16(8), s16(7), s16(6), s16(5));
            drawDib(dest, QRectF(s16(4), s16(3), s16(6), s16(5)), 9, 0x00CC0020);
            break;
        }
        case META_INTERSECTCLIPRECT: m_painter.setClipRect(rectAt(0), Qt::IntersectClip); break;
        case META_EXCLUDECLIPRECT: {
            QPainterPath all;
            all.addRect(QRectF(-32768, -32768, 65536, 65536));
            QPainterPath hole;
            hole.addRect(rectAt(0));
            m_painter.setClipPath(all.subtracted(hole), Qt::IntersectClip);
            break;
        }
        case META_CREATEPENINDIRECT: createSlot(makePen()); break;
        case META_CREATEBRUSHINDIRECT: createSlot(makeBrush()); break;
        case META_CREATEFONTINDIRECT: createSlot(makeFont()); break;
        case META_DIBCREATEPATTERNBRUSH: {
            const QImage pattern = decodeDib(paramBytes(2), paramByteCount(2));
            createSlot(pattern.isNull() ? QBrush(Qt::black) : QBrush(pattern));
            break;
        }
        case META_CREATEPATTERNBRUSH:
        case META_CREATEPALETTE:
        case META_CREATEREGION: createSlot(OtherObject{}); break;
        case META_SELECTOBJECT: selectObject(u16(0)); break;
        case META_DELETEOBJECT: {
            const int index = u16(0);
            if (size_t(index) < m_objects.size())
                m_objects[size_t(index)].reset();
            break;
        }
        default: break; // records without a drawing effect here
        }
    }

    const QByteArray &m_bytes;
    const std::vector<WmfPicture::Record> &m_records;
    QPainter &m_painter;
    QTransform m_base;
    std::vector<std::optional<GdiObject>> m_objects;
    std::vector<DcState> m_saved;
    DcState m_dc;
    const WmfPicture::Record *m_rec = nullptr;
};

QString invalidMetafile()
{
    return QStringLiteral("El fitxer no és un metafitxer vàlid");
}

} // namespace

Fallible<std::shared_ptr<WmfPicture>> WmfPicture::fromBytes(const QByteArray &bytes)
{
    using Result = Fallible<std::shared_ptr<WmfPicture>>;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    auto word = [&](qsizetype at) { return int(p[at] | p[at + 1] << 8); };
    auto sword = [&](qsizetype at) { return int(qint16(p[at] | p[at + 1] << 8)); };

    std::shared_ptr<WmfPicture> pic(new WmfPicture);
    pic->m_bytes = bytes;
    qsizetype pos = 0;
    std::optional<QRect> placeable;
    int unitsPerInch = 1440;
    if (size >= 4 && quint32(word(0) | word(2) << 16) == kPlaceableKey) {
        if (size < kPlaceableSize)
            return Result::failure(invalidMetafile());
        const int left = sword(6), top = sword(8), right = sword(10), bottom = sword(12);
        placeable = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
        if (word(14) > 0)
            unitsPerInch = word(14);
        pos = kPlaceableSize;
    }
    if (size - pos < kHeaderSize)
        return Result::failure(invalidMetafile());
    const int type = word(pos), headerWords = word(pos + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return Result::failure(invalidMetafile());
    pic->m_objectCount = qMin(word(pos + 10), kMaxObjects);
    pos += kHeaderSize;

    std::optional<QPoint> windowOrg, viewportOrg;
    std::optional<QSize> windowExt, viewportExt;
    while (size - pos >= 6) {
        const quint32 recordWords = quint32(word(pos) | word(pos + 2) << 16);
        const std::uint16_t function = std::uint16_t(word(pos + 4));
        if (recordWords < 3 || qint64(recordWords) * 2 > size - pos)
            break; // a truncated or corrupt record ends the picture
        const qsizetype paramWords = qsizetype(recordWords) - 3;
        pic->m_records.push_back(Record{function, pos + 6, paramWords});
        if (paramWords >= 2) {
            const QPoint pt(sword(pos + 8), sword(pos + 6));
            if (function == META_SETWINDOWORG && !windowOrg)
                windowOrg = pt;
            else if (function == META_SETWINDOWEXT && !windowExt)
                windowExt = QSize(pt.x(), pt.y());
            else if (function == META_SETVIEWPORTORG && !viewportOrg)
                viewportOrg = pt;
            else if (function == META_SETVIEWPORTEXT && !viewportExt)
                viewportExt = QSize(pt.x(), pt.y());
        }
        pos += qsizetype(recordWords) * 2;
        if (function == META_EOF)
            break;
    }
    if (pic->m_records.empty())
        return Result::failure(invalidMetafile());

    // The logical rectangle shown: the placeable bounds, else the viewport or the window.
    QRect frame;
    if (placeable && !placeable->isEmpty()) {
        frame = *placeable;
    } else if (viewportExt && viewportExt->width() != 0 && viewportExt->height() != 0) {
        frame = QRect(viewportOrg.value_or(QPoint()), *viewportExt).normalized();
    } else if (windowExt && windowExt->width() != 0 && windowExt->height() != 0) {
        const QPoint org = windowOrg.value_or(QPoint());
        frame = QRect(org.x(), org.y(), windowExt->width(), windowExt->height());
    } else {
        return Result::failure(QStringLiteral("El metafitxer no indica la seva mida"));
    }
    pic->m_frame = frame;

    const QRect bounds = frame.normalized();
    QSize natural;
    if (placeable) {
        natural = QSize(qMax(1, qRound(bounds.width() * 96.0 / unitsPerInch)),
                        qMax(1, qRound(bounds.height() * 96.0 / unitsPerInch)));
    } else {
        natural = bounds.size();
        // Logical units of unknown size: keep the shape, at a screen-friendly size.
        const int longest = qMax(natural.width(), natural.height());
        if (longest > 2048)
            natural = natural.scaled(1024, 1024, Qt::KeepAspectRatio);
    }
    pic->m_naturalSize = natural.expandedTo(QSize(1, 1));
    return pic;
}

void WmfPicture::paint(QPainter &painter, const QRectF &target) const
{
    if (target.isEmpty() || m_frame.width() == 0 || m_frame.height() == 0)
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    // The frame, which may run right to left or bottom to top, is mapped onto the target.
    QTransform base;
    base.translate(target.x(), target.y());
    base.scale(target.width() / m_frame.width(), target.height() / m_frame.height());
    base.translate(-m_frame.x(), -m_frame.y());
    const QTransform outer = painter.worldTransform();
    Player player(m_bytes, m_records, m_objectCount, painter, base * outer);
    player.play();
    painter.restore();
}
