#include "media/VideoGeometry.h"

#include "media/ImageGeometry.h"

#include <algorithm>
#include <cmath>

namespace VideoGeometry {

namespace {

// Sizes past this are no video or panel; the bound keeps products and sums inside int.
constexpr int kSizeLimit = 1 << 20;

int scaled(int side, int percent)
{
    return int(std::lround(double(side) * percent / 100.0));
}

} // namespace

QRect FitVideo(QSize natural, bool ampliationEnabled, int ampliation, QSize client)
{
    if (natural.width() <= 0 || natural.height() <= 0 || client.width() <= 0 ||
        client.height() <= 0)
        return QRect();
    int w = std::min(natural.width(), kSizeLimit);
    int h = std::min(natural.height(), kSizeLimit);
    if (ampliationEnabled && ampliation != 100 && ampliation > 0) {
        const int percent = std::min(ampliation, 100000);
        w = std::clamp(scaled(w, percent), 1, kSizeLimit);
        h = std::clamp(scaled(h, percent), 1, kSizeLimit);
    }
    const int cw = std::min(client.width(), kSizeLimit);
    const int ch = std::min(client.height(), kSizeLimit);
    const QRect fitted = ImageGeometry::FitRect(cw, ch, w, h);
    return QRect((cw - fitted.width()) / 2, (ch - fitted.height()) / 2, fitted.width(),
                 fitted.height());
}

MovieBox placeMovieBox(QSize client, QSize natural, bool keepScale)
{
    MovieBox out;
    const int cw = std::max(0, client.width());
    const int ch = std::max(0, client.height());
    out.box = QRect(0, 0, cw, ch);
    if (!keepScale || natural.width() <= 0 || natural.height() <= 0 || cw == 0 || ch == 0)
        return out;
    const qint64 nw = natural.width(), nh = natural.height();
    if (qint64(ch) * nw < qint64(cw) * nh) {
        // Full height; the picture is narrower than the control.
        const int w = int(qint64(ch) * nw / nh);
        out.offset = (cw + 1 - w) / 2;
        out.vertical = false;
        out.box = QRect(out.offset, 0, w, ch);
        if (out.offset > 0) {
            out.band1 = QRect(0, 0, out.offset, ch);
            out.band2 = QRect(cw - out.offset, 0, out.offset, ch);
        }
    } else {
        // Full width; the picture is lower than the control.
        const int h = int(qint64(cw) * nh / nw);
        out.offset = (ch + 1 - h) / 2;
        out.vertical = true;
        out.box = QRect(0, out.offset, cw, h);
        if (out.offset > 0) {
            out.band1 = QRect(0, 0, cw, out.offset);
            out.band2 = QRect(0, ch - out.offset, cw, out.offset);
        }
    }
    return out;
}

} // namespace VideoGeometry
