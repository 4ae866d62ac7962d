#pragma once

#include "config/PresentationSettings.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

class QPainter;

// How a gradient panel's face is painted; the stored values 0-10.
enum TDirection {
    bdFlat = 0,
    bdStretchImage,
    bdTileImage,
    bdUp,
    bdDown,
    bdLeft,
    bdRight,
    bdHorzIn,
    bdHorzOut,
    bdVertIn,
    bdVertOut
};

enum class TBevelCut { bvNone, bvLowered, bvRaised };

// Where a press on a moveable panel lands: an edge or corner resizes, the rest moves the panel.
enum class PanelHitZone {
    Caption,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight
};

// The painting and hit-testing of a gradient panel (the widget TGradPan0 wraps it): a flat colour,
// a two-colour gradient in 200 bands, or a bitmap stretched or tiled, then the bevels.
struct GradientPanel
{
    static constexpr int kBands = 200;
    using Ramp = std::array<QRgb, kBands>;

    TDirection BackGroundEffect = bdFlat;
    TColor ColorStart = TColor(0x808000);
    TColor ColorEnd = TColor(0xFFFFFF);
    QImage Bitmap = defaultBitmap();
    bool Ctl3D = false;
    int Marge = 6;
    bool Moveable = false;
    TBevelCut BevelOuter = TBevelCut::bvRaised;
    TBevelCut BevelInner = TBevelCut::bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;

    // A 50x50 white square with a one-pixel black outline.
    static QImage defaultBitmap();
    // Entry i of the ramp from a to b: each channel trunc(a + i * (b - a) / 200), stopping one
    // step short of b. Channels are the stored colour's low three bytes.
    static Ramp ColorRamp(TColor a, TColor b);
    // Start of band k of `extent` pixels: MulDiv(k, extent, 200).
    static int bandStart(int k, int extent);
    // The ramp entry band k takes for an effect ("in"/"out" bands mirror about the middle).
    static int rampEntryForBand(TDirection effect, int band);

    // Takes colours, effect and a loaded bitmap from a panel's settings. An effect outside 0-10
    // paints flat.
    void applySettings(const PanelBackground &bg, const QImage &bitmap);

    // Paints face and bevels into `rect` (the panel's whole surface).
    void paint(QPainter &p, const QRect &rect, const QPalette &palette) const;
    void paintFace(QPainter &p, const QRect &rect, const QPalette &palette) const;
    void paintBevels(QPainter &p, const QRect &rect, const QPalette &palette) const;
    // The rectangle inside the bevels and the border, where children go.
    QRect clientRect(const QRect &rect) const;

    PanelHitZone hitTest(QPoint pos, QSize size) const;
};
