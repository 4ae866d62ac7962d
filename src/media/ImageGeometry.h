#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// The image view's geometry as pure functions, so every fitting and zoom case is exact.
namespace ImageGeometry {

// (0,0,w,h): the picture shrunk, keeping its proportions, until it fits the area; never enlarged.
QRect FitRect(int areaW, int areaH, int picW, int picH);
// `r` moved so that it is centred in `area` (integer halves), size unchanged.
QRect CenterRect(const QRect &area, const QRect &r);
// Start of a zoomed picture of `size` along one axis of an area of `extent`, scrolled by `offset`.
int zoomPlacement(int extent, int size, int offset);

struct ManualZoom
{
    int zoomPercent = 0;
    QPoint offset; // how far the zoomed picture is scrolled, in pixels
};
// The zoom a rubber-band selection asks for. `selection` is normalised and already clipped to
// the picture rectangle; `base` is the zoom in force, or the drawn size when not zoomed.
// std::nullopt for a selection under 5 pixels in either direction.
std::optional<ManualZoom> zoomForSelection(const QRect &selection, const QRect &pictureRect,
                                           QSize pictureSize, QSize area, int base);
// The selection between two points ordered on both axes, the end clipped to the picture's right
// and bottom and the start to its left and top.
QRect normalisedSelection(QPoint start, QPoint end, const QRect &pictureRect);

// The mark's diameter with a constant ratio: round(drawSize * markSize / 100).
int constRatioSize(int drawSize, int size);
// The mark's rectangle: centred on the point at thousandths `markPos` of the picture rectangle.
QRect markRect(const QRect &pictureRect, QPoint markPos, QSize shape);
// The thousandths of the picture rectangle a click names; std::nullopt outside it.
std::optional<QPoint> markPosFromClick(QPoint click, const QRect &pictureRect);

} // namespace ImageGeometry
