#pragma once

#include <QRect>
#include <QSize>

// Where a video is drawn, as pure functions of sizes, so every case is exact.
namespace VideoGeometry {

// The display rectangle of an AVI video of natural size `natural` on a panel whose client area
// is `client`, in the client area's coordinates: the size is first enlarged by `ampliation`
// percent (rounded) when `ampliationEnabled` and the percentage is not 100, then shrunk keeping
// its proportions until it fits (never enlarged past that size), and centred with integer
// halves. An empty rectangle for a video without picture or an empty panel.
QRect FitVideo(QSize natural, bool ampliationEnabled, int ampliation, QSize client);

// The movie box of a movie control: where the movie's picture goes inside the control's client
// rectangle, and the two bands left beside it (both empty when the picture fills the control).
struct MovieBox
{
    QRect box;
    // The offset of the box from the control's edge: the width of the bands at the left and
    // right (`vertical` false) or their height at the top and bottom (`vertical` true).
    int offset = 0;
    bool vertical = false;
    QRect band1, band2; // left/top and right/bottom, empty when offset is 0
};
// With `keepScale` and a movie with a picture (natural width not 0), the picture takes the full
// client height or width, whichever keeps its proportions, and is centred along the other axis;
// otherwise the box is the whole client rectangle.
MovieBox placeMovieBox(QSize client, QSize natural, bool keepScale);

} // namespace VideoGeometry
