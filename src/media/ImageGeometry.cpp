#include "media/ImageGeometry.h"

#include <algorithm>
#include <cmath>

namespace ImageGeometry {

namespace {

// Coordinates and sizes stay well inside int, so that a rectangle's right and bottom and any sum
// of two of them cannot overflow.
constexpr double kCoordinateLimit = 1 << 28;

int clampedRound(double v)
{
    if (std::isnan(v))
        return 0;
    return int(std::lround(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)));
}

} // namespace

QRect FitRect(int areaW, int areaH, int picW, int picH)
{
    int right = areaW, bottom = areaH;
    if (picW <= 0 || picH <= 0)
        return QRect(0, 0, 0, 0);
    if (areaH < picH && areaW < picW) {
        bottom = int(std::trunc(double(areaW) / picW * picH));
        if (areaH < bottom) {
            right = int(std::trunc(double(areaH) / bottom * areaW));
            bottom = areaH;
        }
    } else if (areaH < picH) {
        right = int(std::trunc(double(areaH) / picH * picW));
    } else if (areaW < picW) {
        bottom = int(std::trunc(double(areaW) / picW * picH));
    } else {
        right = picW;
        bottom = picH;
    }
    return QRect(0, 0, std::max(0, right), std::max(0, bottom));
}

QRect CenterRect(const QRect &area, const QRect &r)
{
    QRect out = r;
    out.moveTo(area.left() + area.width() / 2 - r.width() / 2,
               area.top() + area.height() / 2 - r.height() / 2);
    return out;
}

int zoomPlacement(int extent, int size, int offset)
{
    const int d = (size - extent) / 2;
    if (d < 0)
        return -d;
    if (extent <= size - offset)
        return -offset;
    return -2 * d;
}

QRect normalisedSelection(QPoint start, QPoint end, const QRect &pictureRect)
{
    int x1 = std::min(start.x(), end.x()), x2 = std::max(start.x(), end.x());
    int y1 = std::min(start.y(), end.y()), y2 = std::max(start.y(), end.y());
    // Right and bottom edges are exclusive, as the picture rectangle's are.
    const int pr = pictureRect.left() + pictureRect.width();
    const int pb = pictureRect.top() + pictureRect.height();
    x2 = std::min(x2, pr);
    y2 = std::min(y2, pb);
    x1 = std::max(x1, pictureRect.left());
    y1 = std::max(y1, pictureRect.top());
    return QRect(QPoint(x1, y1), QSize(x2 - x1, y2 - y1));
}

std::optional<ManualZoom> zoomForSelection(const QRect &sel, const QRect &pictureRect,
                                           QSize pictureSize, QSize area, int base)
{
    if (sel.width() < 5 || sel.height() < 5 || base <= 0)
        return std::nullopt;
    const int scaledW = int(std::lround(pictureSize.width() * base / 100.0));
    const int scaledH = int(std::lround(pictureSize.height() * base / 100.0));
    const int visibleW = scaledW < area.width() ? scaledW : area.width();
    const int visibleH = scaledH < area.height() ? scaledH : area.height();
    const double rx = double(visibleW) / sel.width();
    const double ry = double(visibleH) / sel.height();
    const bool overflowBoth = scaledW >= area.width() && scaledH >= area.height();
    const double ratio = overflowBoth ? std::min(rx, ry) : std::max(rx, ry);
    ManualZoom z;
    // Ten thousand percent is far past any sensible zoom and keeps the picture's size in range.
    z.zoomPercent = std::clamp(int(std::lround(ratio * base)), 1, 10000);
    const double k = double(z.zoomPercent) / base;
    z.offset = QPoint(int(std::lround(k * (sel.left() - pictureRect.left()))),
                      int(std::lround(k * (sel.top() - pictureRect.top()))));
    return z;
}

int constRatioSize(int drawSize, int size)
{
    return clampedRound(double(drawSize) * size / 100.0);
}

QRect markRect(const QRect &pictureRect, QPoint markPos, QSize shape)
{
    // Thousandths far outside the picture (a stored flag can hold any integer) and absurd mark
    // sizes put the mark far away or make it huge, never past the range a rectangle can hold.
    const QSize size(clampedRound(shape.width()), clampedRound(shape.height()));
    const int dx = clampedRound(double(pictureRect.width()) * markPos.x() / 1000.0);
    const int dy = clampedRound(double(pictureRect.height()) * markPos.y() / 1000.0);
    const int left = clampedRound(double(pictureRect.left()) + dx - size.width() / 2);
    const int top = clampedRound(double(pictureRect.top()) + dy - size.height() / 2);
    return QRect(QPoint(left, top), size);
}

std::optional<QPoint> markPosFromClick(QPoint click, const QRect &pictureRect)
{
    if (pictureRect.width() <= 0 || pictureRect.height() <= 0 || !pictureRect.contains(click))
        return std::nullopt;
    return QPoint(
        int(std::lround((click.x() - pictureRect.left()) * 1000.0 / pictureRect.width())),
        int(std::lround((click.y() - pictureRect.top()) * 1000.0 / pictureRect.height())));
}

} // namespace ImageGeometry
