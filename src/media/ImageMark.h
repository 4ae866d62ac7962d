#pragma once

#include "config/PresentationSettings.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>

class QPainter;
class QPalette;

// The circle an image view keeps centred on a point of its picture, given in thousandths of the
// drawn picture's width and height; (-1, -1) hides it.
class ImageMark
{
public:
    QPoint MarkPos{-1, -1};
    bool MarkConstRatio = false;
    int ShapePenWidth = 1;
    // Pen mode as stored: 4 (the default) draws the pen in its own colour; 6 and 9 invert
    // what is below (the other stored modes draw as the default does).
    std::uint8_t PenMode = 4;
    TColor PenColor = 0;
    TColor BrushColor = 255;

    int MarkSize() const { return m_markSize; }
    void setMarkSize(int size)
    {
        m_markSize = size;
        m_shape = QSize(size, size);
    }
    void setMarkPos(QPoint pos) { MarkPos = pos; }
    bool visible() const { return MarkPos.x() != -1 && MarkPos.y() != -1; }

    // Places the shape for a picture drawn at `pictureRect` and `drawSize` percent; with a
    // constant ratio its size and pen follow the drawn size.
    void positionMark(const QRect &pictureRect, int drawSize);
    QRect shapeRect() const { return m_rect; }
    QSize shapeSize() const { return m_shape; }
    int penWidth() const { return m_penWidth; }

    void paint(QPainter &p, const QPalette &palette) const;

    // Applies the mark section of the settings and a slide's mark.
    void applySettings(const PresentationSettings &s);

private:
    int m_markSize = 10;
    QSize m_shape{10, 10};
    int m_penWidth = 1;
    QRect m_rect;
};
