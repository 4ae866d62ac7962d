#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <cstdint>
#include <vector>

// A GIF described frame by frame, written with GifBuilder, and what a viewer must show after each
// frame, worked out here pixel by pixel from the format's rules on its own (never with the
// program's compositor):
// - the screen starts as the background of the first frame;
// - a frame's pixels land at its offset, those outside the screen are dropped, and its
//   transparent index leaves the pixel below;
// - before the next frame, disposal 2 sets the frame's rectangle to its background and 3 puts
//   back the screen as it was before the frame; 0, 1 and the undefined 4-7 leave it;
// - a frame's background is transparent when it has a transparent index, else the global
//   table's colour at the background index, transparent without a global table.
struct GifFramePlan
{
    QRect rect; // offset and size; may reach past the screen
    std::vector<std::uint8_t> indices;
    int transparent = -1;
    int disposal = 0;
    QList<QRgb> local; // empty: the global table
    bool interlaced = false;
    int delay = 10;
};

struct GifPlan
{
    QSize screen;
    QList<QRgb> global; // empty: no global table
    int backgroundIndex = 0;
    std::vector<GifFramePlan> frames;

    QByteArray encode() const;
    // ARGB32 screens, one per frame; a transparent pixel is 0.
    std::vector<QImage> expectedScreens() const;
};

// The first pixel where two screens differ, as text for a failure message; empty when equal.
QString firstDifference(const QImage &actual, const QImage &expected);
