#include "media/GradientPanel.h"

#include "files/SystemColors.h"

#include <QPainter>

#include <cmath>
#include <cstdint>

namespace {

// Windows' MulDiv: a * b / c rounded half away from zero, in 64 bits.
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t num = std::int64_t(a) * b;
    const std::int64_t half = (c < 0 ? -c : c) / 2;
    const bool negative = (num < 0) != (c < 0);
    const std::int64_t absNum = num < 0 ? -num : num;
    const std::int64_t absC = c < 0 ? -c : c;
    const std::int64_t q = (absNum + half) / absC;
    return int(negative ? -q : q);
}

void frame(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void bevel(QPainter &p, QRect r, TBevelCut cut, int width)
{
    if (cut == TBevelCut::bvNone)
        return;
    const QColor white(255, 255, 255), grey(0x80, 0x80, 0x80);
    for (int i = 0; i < width; ++i) {
        if (cut == TBevelCut::bvRaised)
            frame(p, r, white, grey);
        else
            frame(p, r, grey, white);
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace

QImage GradientPanel::defaultBitmap()
{
    QImage img(50, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 49, 49);
    return img;
}

GradientPanel::Ramp GradientPanel::ColorRamp(TColor a, TColor b)
{
    const QColor ca = rawColorFromTColor(a), cb = rawColorFromTColor(b);
    Ramp ramp{};
    for (int i = 0; i < kBands; ++i) {
        auto ch = [i](int x, int y) { return int(std::trunc(x + i * double(y - x) / kBands)); };
        ramp[std::size_t(i)] =
            qRgb(ch(ca.red(), cb.red()), ch(ca.green(), cb.green()), ch(ca.blue(), cb.blue()));
    }
    return ramp;
}

int GradientPanel::bandStart(int k, int extent)
{
    return mulDiv(k, extent, kBands);
}

int GradientPanel::rampEntryForBand(TDirection effect, int band)
{
    switch (effect) {
    case bdHorzIn:
    case bdHorzOut:
    case bdVertIn:
    case bdVertOut: return band < kBands / 2 ? 2 * band + 1 : 2 * (kBands - 1 - band);
    default: return band;
    }
}

void GradientPanel::applySettings(const PanelBackground &bg, const QImage &bitmap)
{
    ColorStart = bg.ColorStart;
    ColorEnd = bg.ColorEnd;
    const int e = bg.ColorBackGroundEffect;
    BackGroundEffect = (e >= bdFlat && e <= bdVertOut) ? TDirection(e) : bdFlat;
    Bitmap = bitmap;
}

QRect GradientPanel::clientRect(const QRect &rect) const
{
    int inset = BorderWidth;
    if (BevelOuter != TBevelCut::bvNone)
        inset += BevelWidth;
    if (BevelInner != TBevelCut::bvNone)
        inset += BevelWidth;
    return rect.adjusted(inset, inset, -inset, -inset);
}

void GradientPanel::paint(QPainter &p, const QRect &rect, const QPalette &palette) const
{
    paintFace(p, rect, palette);
    paintBevels(p, rect, palette);
}

void GradientPanel::paintFace(QPainter &p, const QRect &rect, const QPalette &palette) const
{
    const int W = rect.width(), H = rect.height();
    if (W <= 0 || H <= 0)
        return;
    const QColor start = colorFromTColor(ColorStart, palette);
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    const QPoint o = rect.topLeft();

    auto bands = [&](TColor from, TColor to, bool horizontal) {
        const Ramp ramp = ColorRamp(from, to);
        const int extent = horizontal ? H : W;
        for (int k = 0; k < kBands; ++k) {
            const int a = bandStart(k, extent), b = bandStart(k + 1, extent);
            if (b <= a)
                continue; // a panel under 200 pixels leaves some bands empty
            const QColor c =
                QColor::fromRgb(ramp[std::size_t(rampEntryForBand(BackGroundEffect, k))]);
            if (horizontal)
                p.fillRect(QRect(o.x(), o.y() + a, W, b - a), c);
            else
                p.fillRect(QRect(o.x() + a, o.y(), b - a, H), c);
        }
    };
    const int inset = Ctl3D ? 2 * BevelWidth + BorderWidth : 0;

    switch (BackGroundEffect) {
    case bdUp: bands(ColorStart, ColorEnd, true); break;
    case bdDown: bands(ColorEnd, ColorStart, true); break;
    case bdLeft: bands(ColorStart, ColorEnd, false); break;
    case bdRight: bands(ColorEnd, ColorStart, false); break;
    case bdHorzIn: bands(ColorStart, ColorEnd, true); break;
    case bdHorzOut: bands(ColorEnd, ColorStart, true); break;
    case bdVertIn: bands(ColorStart, ColorEnd, false); break;
    case bdVertOut: bands(ColorEnd, ColorStart, false); break;
    case bdStretchImage:
        if (Bitmap.isNull()) {
            p.fillRect(rect, start);
        } else {
            // The target is (b, b, W - b - 1, H - b - 1) with the right and bottom edges open.
            const QRect target(o.x() + inset, o.y() + inset, W - 2 * inset - 1, H - 2 * inset - 1);
            if (target.width() > 0 && target.height() > 0) {
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawImage(target, Bitmap);
            }
        }
        break;
    case bdTileImage:
        if (Bitmap.isNull()) {
            p.fillRect(rect, start);
        } else {
            const int bw = Bitmap.width(), bh = Bitmap.height();
            const int cols = (W - 2 * inset) / bw + 1, rows = (H - 2 * inset) / bh + 1;
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c)
                    p.drawImage(QPoint(o.x() + inset + c * bw, o.y() + inset + r * bh), Bitmap);
        }
        break;
    case bdFlat:
    default: p.fillRect(rect, start); break;
    }
    p.restore();
}

void GradientPanel::paintBevels(QPainter &p, const QRect &rect, const QPalette &palette) const
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setRenderHint(QPainter::Antialiasing, false);
    QRect r = rect;
    bevel(p, r, BevelOuter, BevelWidth);
    if (BevelOuter != TBevelCut::bvNone)
        r.adjust(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    if (Ctl3D && BevelInner != TBevelCut::bvNone) {
        // The border as nested frames in the panel colour.
        const QColor face = colorFromTColor(ColorStart, palette);
        for (int i = 0; i < BorderWidth; ++i)
            frame(p, r.adjusted(i, i, -i, -i), face, face);
    }
    r.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    bevel(p, r, BevelInner, BevelWidth);
    p.restore();
}

PanelHitZone GradientPanel::hitTest(QPoint pos, QSize size) const
{
    const bool left = pos.x() < Marge, right = pos.x() >= size.width() - Marge;
    const bool top = pos.y() < Marge, bottom = pos.y() >= size.height() - Marge;
    if (top && left)
        return PanelHitZone::TopLeft;
    if (bottom && left)
        return PanelHitZone::BottomLeft;
    if (top && right)
        return PanelHitZone::TopRight;
    if (bottom && right)
        return PanelHitZone::BottomRight;
    if (left)
        return PanelHitZone::Left;
    if (right)
        return PanelHitZone::Right;
    if (top)
        return PanelHitZone::Top;
    if (bottom)
        return PanelHitZone::Bottom;
    return PanelHitZone::Caption;
}
