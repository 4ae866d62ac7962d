#include "media/ImageMark.h"

#include "files/SystemColors.h"
#include "media/ImageGeometry.h"

#include <QPainter>

#include <cmath>
#include <optional>

void ImageMark::positionMark(const QRect &pictureRect, int drawSize)
{
    m_penWidth = ShapePenWidth;
    if (MarkConstRatio) {
        const int d = ImageGeometry::constRatioSize(drawSize, m_markSize);
        m_shape = QSize(d, d);
        m_penWidth = int(std::lround(double(ShapePenWidth * drawSize) / 100.0));
    }
    if (!visible()) {
        m_rect = QRect();
        return;
    }
    m_rect = ImageGeometry::markRect(pictureRect, MarkPos, m_shape);
}

void ImageMark::paint(QPainter &p, const QPalette &palette) const
{
    if (!visible() || m_rect.width() <= 0 || m_rect.height() <= 0)
        return;
    p.save();
    QColor pen = colorFromTColor(PenColor, palette);
    QColor brush = colorFromTColor(BrushColor, palette);
    bool drawPen = m_penWidth > 0;
    // The sixteen raster modes combine the shape with what lies below, outline and fill alike.
    using CM = QPainter::CompositionMode;
    std::optional<CM> op;
    switch (PenMode) {
    case 0: pen = Qt::black; break;
    case 1: pen = Qt::white; break;
    case 2: drawPen = false; break;
    case 3: op = CM::RasterOp_NotDestination; break;
    case 5: op = CM::RasterOp_NotSource; break;
    case 6: op = CM::RasterOp_SourceOrNotDestination; break;
    case 7: op = CM::RasterOp_SourceAndNotDestination; break;
    case 8: op = CM::RasterOp_NotSourceOrDestination; break;
    case 9: op = CM::RasterOp_NotSourceAndDestination; break;
    case 10: op = CM::RasterOp_SourceOrDestination; break;
    case 11: op = CM::RasterOp_NotSourceAndNotDestination; break;
    case 12: op = CM::RasterOp_SourceAndDestination; break;
    case 13: op = CM::RasterOp_NotSourceOrNotDestination; break;
    case 14: op = CM::RasterOp_SourceXorDestination; break;
    case 15: op = CM::RasterOp_NotSourceXorDestination; break;
    default: break; // 4: the colours as they are
    }
    if (op)
        p.setCompositionMode(*op);
    else
        p.setRenderHint(QPainter::Antialiasing);
    if (drawPen) {
        QPen qpen(pen);
        qpen.setWidth(m_penWidth);
        p.setPen(qpen);
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(brush);
    // The pen lies inside the shape's bounds, as a shape control draws it.
    const qreal half = drawPen ? m_penWidth / 2.0 : 0.0;
    p.drawEllipse(QRectF(m_rect).adjusted(half, half, -half, -half));
    p.restore();
}

void ImageMark::applySettings(const PresentationSettings &s)
{
    setMarkSize(s.MarkSize);
    MarkConstRatio = s.MarkConstRatio;
    PenMode = s.MarkPenMode;
    PenColor = s.MarkPenColor;
    BrushColor = s.MarkBrushColor;
    ShapePenWidth = s.MarkPenWidth;
}
