#pragma once

#include "config/PresentationSettings.h"
#include "media/GifComposer.h"
#include "media/SlidePicture.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// The picture control's state and painting, without a window: it fits, enlarges, centres and
// frames a picture, zooms into a rubber-band rectangle, writes a caption and an "empty" text and
// keeps the percentage at which the picture is drawn. Widgets and the headless export paint it.
class TAdvImage
{
public:
    enum TImageFrame { ifNone, ifFlat, if3D };
    enum class Press { Ordinary, LeaveZoom, Selecting };

    // --- Properties ---
    int BevelWidth = 1;
    TImageFrame ImageFrame = ifNone;
    bool StretchRatio = false;
    bool CenterView = false;
    bool ShowEmptyLabel = false;
    QString EmptyLabel = QStringLiteral("Buit");
    QString Caption;
    QFont Font;
    bool Checked = false;
    TColor CheckColor = 255;
    TColor Color = kClBtnFace; // the control colour around the picture
    bool AmpliationEnabled = false;
    bool Transparent = false;
    bool GIFAnimate = false;
    int GifAnimateSpeed = 10;
    bool ManualZoomAllowed = false;

    int MaxAmpliation() const { return m_maxAmpliation; }
    // Only 11 to 999 are accepted; other values are ignored.
    void setMaxAmpliation(int percent);

    // --- Loading ---
    // Loads `path` unless it is the name already shown. A missing file clears the view and keeps
    // the text "No existeix '<name>'" to write in the middle; the name is left empty then.
    // Returns the decoder's message when the file exists but could not be decoded.
    QString setImageName(const QString &path, QSize decodeTarget = QSize());
    // Loads `path` whatever was shown before.
    QString LoadImage(const QString &path, QSize decodeTarget = QSize());
    // Shows an already decoded picture under `name`; `prescaled` is the picture already scaled to
    // the size it will be drawn at (device pixels), or null.
    void setPicture(const QString &name, const SlidePicture &picture,
                    const QImage &prescaled = QImage());
    void Clear();
    void ResetZoom();

    const QString &ImageName() const { return m_imageName; }
    const SlidePicture &picture() const { return m_picture; }
    bool hasPicture() const { return pictureSize().width() > 0 && pictureSize().height() > 0; }
    QSize pictureSize() const;
    qint64 FileSize() const { return m_fileSize; }
    const QString &missingText() const { return m_missingText; }
    int AmpliatedWidth() const;
    int AmpliatedHeight() const;

    // --- Drawing state, refreshed by every paint ---
    int DrawSize() const { return m_drawSize; }
    bool Zoomed() const { return m_zoomed; }
    int ZoomPercent() const { return m_zoomPercent; }
    QPoint zoomOffset() const { return m_zoomOffset; }
    QRect area() const { return m_area; }
    QRect pictureRect() const { return m_pictureRect; }

    // Computes the area, the picture rectangle and the drawn size for a control of `client`
    // without painting (a paint does the same). Returns the new drawn size.
    int layout(const QRect &client);
    // Paints the control into `client`; the size the picture is scaled to follows the painter's
    // device pixel ratio so it stays sharp. Returns the drawn size.
    int paint(QPainter &p, const QRect &client, const QPalette &palette);

    // --- Animation ---
    bool animated() const { return GIFAnimate && m_picture.frames.size() > 1; }
    int frameIndex() const { return m_frame; }
    // How long the frame on screen stays: every frame GifAnimateSpeed × 10 ms, never under the
    // animation timer's 55 ms floor. The file's own delays do not count.
    int currentFrameDelayMs() const;
    // Moves to the next frame (wrapping).
    void nextFrame();

    // --- Manual zoom with the mouse (client coordinates) ---
    Press mousePress(QPoint pos, bool ctrl);
    void mouseMove(QPoint pos);
    // Ends a selection; true when the view zoomed.
    bool mouseRelease(QPoint pos);
    // A double click; true when it left the zoom.
    bool doubleClick();
    bool selecting() const { return m_selecting; }
    QRect selectionRect() const;

private:
    const QImage &currentImage() const;
    QImage displayImage() const;
    void invalidateScaled();
    void paintBackgroundAndCaption(QPainter &p, const QRect &client, const QPalette &pal) const;

    int m_maxAmpliation = 200;
    QString m_imageName;
    QString m_missingText;
    SlidePicture m_picture;
    qint64 m_fileSize = -1;
    int m_frame = 0;
    // Lays a GIF's frames on its logical screen as they come up.
    mutable GifComposer m_composer;

    int m_drawSize = 0;
    bool m_zoomed = false;
    int m_zoomPercent = 0;
    QPoint m_zoomOffset;
    QRect m_area, m_pictureRect;
    int m_captionHeight = 0;

    bool m_selecting = false;
    QPoint m_selStart, m_selCurrent;

    // The picture scaled to device pixels, kept between paints.
    mutable QImage m_scaled;
    mutable QSize m_scaledFor;
    mutable int m_scaledFrame = -1;
    mutable bool m_scaledTransparent = false;
};
