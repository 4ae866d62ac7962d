#include "support/GifReference.h"

#include "support/GifBuilder.h"

namespace {

// The colour an index stands for in a table as the file stores it: padded to a power of two
// with black, a grey ramp when there is no table at all.
QRgb tableColour(const QList<QRgb> &table, int index)
{
    if (table.isEmpty())
        return qRgb(index, index, index);
    return index < table.size() ? (table[index] | 0xFF000000u) : qRgb(0, 0, 0);
}

} // namespace

QByteArray GifPlan::encode() const
{
    GifBuilder gif(screen.width(), screen.height(), global);
    gif.setBackgroundIndex(backgroundIndex);
    for (const GifFramePlan &f : frames) {
        gif.addGraphicControl(f.delay, f.transparent, f.disposal);
        gif.addFrame(f.rect.width(), f.rect.height(), f.indices, f.interlaced, f.local,
                     f.rect.left(), f.rect.top());
    }
    return gif.finish();
}

std::vector<QImage> GifPlan::expectedScreens() const
{
    std::vector<QImage> out;
    if (frames.empty())
        return out;
    // The global table as stored holds a power of two of colours.
    int stored = 2;
    while (stored < global.size())
        stored *= 2;
    const auto backgroundOf = [this, stored](const GifFramePlan &f) -> QRgb {
        if (f.transparent >= 0 || global.isEmpty() || backgroundIndex >= stored)
            return 0;
        return tableColour(global, backgroundIndex);
    };
    const int w = screen.width();
    const int h = screen.height();
    // One QRgb per screen pixel, row after row.
    std::vector<QRgb> shown(size_t(w) * size_t(h), backgroundOf(frames.front()));
    for (const GifFramePlan &f : frames) {
        const std::vector<QRgb> before = shown;
        const QList<QRgb> &table = f.local.isEmpty() ? global : f.local;
        for (int fy = 0; fy < f.rect.height(); ++fy)
            for (int fx = 0; fx < f.rect.width(); ++fx) {
                const int sx = f.rect.left() + fx;
                const int sy = f.rect.top() + fy;
                if (sx >= w || sy >= h)
                    continue;
                const int index = f.indices[size_t(fy) * size_t(f.rect.width()) + size_t(fx)];
                if (index != f.transparent)
                    shown[size_t(sy) * size_t(w) + size_t(sx)] = tableColour(table, index);
            }

        QImage screenNow(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                screenNow.setPixel(x, y, shown[size_t(y) * size_t(w) + size_t(x)]);
        out.push_back(screenNow);

        if (f.disposal == 2) {
            for (int fy = 0; fy < f.rect.height(); ++fy)
                for (int fx = 0; fx < f.rect.width(); ++fx) {
                    const int sx = f.rect.left() + fx;
                    const int sy = f.rect.top() + fy;
                    if (sx < w && sy < h)
                        shown[size_t(sy) * size_t(w) + size_t(sx)] = backgroundOf(f);
                }
        } else if (f.disposal == 3) {
            shown = before;
        }
    }
    return out;
}

QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            // Two fully transparent pixels are the same whatever colour they carry.
            QRgb a = actual.pixel(x, y);
            QRgb e = expected.pixel(x, y);
            if (qAlpha(a) == 0)
                a = 0;
            if (qAlpha(e) == 0)
                e = 0;
            if (a != e)
                return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(a, 8, 16, QLatin1Char('0'))
                    .arg(e, 8, 16, QLatin1Char('0'));
        }
    return {};
}
