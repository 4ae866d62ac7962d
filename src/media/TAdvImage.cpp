#include "media/TAdvImage.h"

#include "files/FileNames.h"
#include "files/SystemColors.h"
#include "media/ImageGeometry.h"
#include "media/TTrigger.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ImageGeometry;

namespace {

int scaled(int v, int percent)
{
    return int(std::lround(v * percent / 100.0));
}

// Bitmaps drawn transparently lose the colour of their bottom-left pixel.
QImage withTransparentColour(const QImage &src)
{
    if (src.isNull())
        return src;
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, img.height() - 1) | 0xFF000000u;
    for (int y = 0; y < img.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] | 0xFF000000u) == key)
                row[x] = 0;
    }
    return img;
}

} // namespace

void TAdvImage::setMaxAmpliation(int percent)
{
    if (percent > 10 && percent < 1000)
        m_maxAmpliation = percent;
}

QString TAdvImage::setImageName(const QString &path, QSize decodeTarget)
{
    if (path == m_imageName)
        return QString();
    m_imageName = path;
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    if (!info.exists()) {
        Clear();
        m_missingText = QStringLiteral("No existeix '%1'").arg(extractFileName(path));
        return QString();
    }
    return LoadImage(path, decodeTarget);
}

QString TAdvImage::LoadImage(const QString &path, QSize decodeTarget)
{
    ResetZoom();
    m_missingText.clear();
    const QFileInfo info(path);
    SlidePicture pic;
    QString error;
    if (info.exists() && info.isFile()) {
        pic = LoadSlidePicture(path, decodeTarget);
        if (!pic.ok()) {
            error = pic.error;
            pic = SlidePicture();
        }
        m_fileSize = qint64(quint32(info.size()));
    } else {
        m_fileSize = -1;
    }
    m_imageName = path;
    m_picture = pic;
    m_frame = 0;
    m_composer = GifComposer(m_picture.gif);
    invalidateScaled();
    return error;
}

void TAdvImage::setPicture(const QString &name, const SlidePicture &picture,
                           const QImage &prescaled)
{
    ResetZoom();
    m_missingText.clear();
    m_imageName = name;
    m_picture = picture.ok() ? picture : SlidePicture();
    m_frame = 0;
    m_composer = GifComposer(m_picture.gif);
    const QFileInfo info(name);
    m_fileSize = info.isFile() ? qint64(quint32(info.size())) : -1;
    invalidateScaled();
    if (!prescaled.isNull() && !m_picture.image.isNull()) {
        m_scaled = prescaled;
        m_scaledFor = prescaled.size();
        m_scaledFrame = 0;
        m_scaledTransparent = false;
    }
}

void TAdvImage::Clear()
{
    m_picture = SlidePicture();
    m_pictureRect = QRect(0, 0, 0, 0);
    m_imageName.clear();
    m_missingText.clear();
    m_frame = 0;
    m_composer = GifComposer();
    m_drawSize = 0;
    invalidateScaled();
}

void TAdvImage::ResetZoom()
{
    m_zoomed = false;
    m_zoomPercent = 0;
    m_zoomOffset = QPoint();
}

QSize TAdvImage::pictureSize() const
{
    if (m_picture.metafile)
        return m_picture.naturalSize.isValid() ? m_picture.naturalSize
                                               : m_picture.metafile->naturalSize();
    // The natural size counts, not a smaller decode made for the screen.
    if (m_picture.naturalSize.isValid() && !m_picture.image.isNull())
        return m_picture.naturalSize;
    return m_picture.image.size();
}

int TAdvImage::AmpliatedWidth() const
{
    const int w = pictureSize().width();
    return AmpliationEnabled ? scaled(w, m_maxAmpliation) : w;
}

int TAdvImage::AmpliatedHeight() const
{
    const int h = pictureSize().height();
    return AmpliationEnabled ? scaled(h, m_maxAmpliation) : h;
}

const QImage &TAdvImage::currentImage() const
{
    if (animated() && !m_composer.isNull()) {
        const QImage &screen = m_composer.frame(m_frame);
        if (!screen.isNull())
            return screen;
    }
    if (animated() && m_frame < int(m_picture.frames.size()) &&
        !m_picture.frames[std::size_t(m_frame)].image.isNull())
        return m_picture.frames[std::size_t(m_frame)].image;
    return m_picture.image;
}

QImage TAdvImage::displayImage() const
{
    // Metafiles and icons carry their own transparency and are always drawn as they are; a
    // GIF's own transparent colour is its only transparency.
    const bool transparentKind = !m_picture.metafile && !m_picture.gif &&
                                 m_picture.kind != PictureKind::Icon &&
                                 m_picture.kind != PictureKind::Metafile;
    return Transparent && transparentKind ? withTransparentColour(currentImage()) : currentImage();
}

void TAdvImage::invalidateScaled()
{
    m_scaled = QImage();
    m_scaledFor = QSize();
    m_scaledFrame = -1;
}

int TAdvImage::currentFrameDelayMs() const
{
    if (!animated())
        return 0;
    return int(std::max<qint64>(TTrigger::kMinIntervalMs, qint64(GifAnimateSpeed) * 10));
}

void TAdvImage::nextFrame()
{
    if (!animated())
        return;
    m_frame = (m_frame + 1) % int(m_picture.frames.size());
}

int TAdvImage::layout(const QRect &client)
{
    m_area = client;
    m_pictureRect = client;
    const bool framed = ImageFrame != ifNone;
    if (framed)
        m_area = client.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    m_captionHeight = Caption.isEmpty() ? 0 : QFontMetrics(Font).height();
    m_area.setBottom(m_area.bottom() - m_captionHeight);

    if (!hasPicture()) {
        m_pictureRect = QRect(0, 0, 0, 0);
        m_drawSize = 0;
        return 0;
    }
    const QSize pic = pictureSize();
    const int shift = framed ? BevelWidth : 0;
    if (m_zoomed) {
        const int w = scaled(pic.width(), m_zoomPercent), h = scaled(pic.height(), m_zoomPercent);
        const int x = zoomPlacement(m_area.width(), w, m_zoomOffset.x());
        const int y = zoomPlacement(m_area.height(), h, m_zoomOffset.y());
        m_pictureRect = QRect(client.left() + x + shift, client.top() + y + shift, w, h);
        m_drawSize = m_zoomPercent;
        return m_drawSize;
    }
    QRect r;
    const int aw = m_area.width(), ah = m_area.height();
    if (AmpliationEnabled && StretchRatio)
        r = FitRect(aw, ah, scaled(pic.width(), m_maxAmpliation),
                    scaled(pic.height(), m_maxAmpliation));
    else if (AmpliationEnabled)
        r = QRect(0, 0, scaled(pic.width(), m_maxAmpliation),
                  scaled(pic.height(), m_maxAmpliation));
    else if (StretchRatio)
        r = FitRect(aw, ah, pic.width(), pic.height());
    else
        r = QRect(0, 0, pic.width(), pic.height());
    r.translate(client.left() + shift, client.top() + shift);
    if (CenterView)
        r = CenterRect(m_area, r);
    m_pictureRect = r;
    m_drawSize = int(std::lround(double(r.width()) / pic.width() * 100.0));
    return m_drawSize;
}

int TAdvImage::paint(QPainter &p, const QRect &client, const QPalette &pal)
{
    layout(client);
    p.save();
    if (ImageFrame == if3D) {
        for (int i = 0; i < BevelWidth; ++i) {
            const QRect r = client.adjusted(i, i, -i - 1, -i - 1);
            p.setPen(pal.color(QPalette::Light));
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(pal.color(QPalette::Dark));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
    }
    if (!hasPicture()) {
        const QString text = !m_missingText.isEmpty() ? m_missingText
                             : ShowEmptyLabel         ? EmptyLabel
                                                      : QString();
        if (!text.isEmpty()) {
            p.setFont(Font);
            p.setPen(pal.color(QPalette::WindowText));
            p.drawText(client, Qt::AlignCenter | Qt::TextWordWrap, text);
        }
        paintBackgroundAndCaption(p, client, pal);
        p.restore();
        return 0;
    }

    p.setClipRect(m_area, Qt::IntersectClip);
    const QRect target = m_pictureRect;
    if (m_picture.metafile) {
        p.setRenderHint(QPainter::Antialiasing);
        m_picture.metafile->paint(p, QRectF(target));
    } else if (!target.isEmpty()) {
        const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
        const QSize device = (QSizeF(target.size()) * dpr).toSize();
        const bool unscaled = !StretchRatio && !AmpliationEnabled && !m_zoomed;
        const QRect visible = target.intersected(m_area);
        if (!unscaled &&
            qint64(target.width()) * target.height() >
                4 * qint64(std::max(1, m_area.width())) * std::max(1, m_area.height())) {
            // Zoomed far past the area: scale only the part that shows, never the whole picture.
            const QImage src = displayImage();
            const double sx = double(src.width()) / target.width();
            const double sy = double(src.height()) / target.height();
            const QRectF source((visible.left() - target.left()) * sx,
                                (visible.top() - target.top()) * sy, visible.width() * sx,
                                visible.height() * sy);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            if (!visible.isEmpty())
                p.drawImage(QRectF(visible), src, source);
            p.setClipping(false);
            paintBackgroundAndCaption(p, client, pal);
            p.restore();
            return m_drawSize;
        }
        if (m_scaledFor != device || m_scaledFrame != m_frame ||
            m_scaledTransparent != Transparent || m_scaled.isNull()) {
            const QImage src = displayImage();
            // A zoomed picture far larger than the screen is cut to what shows before scaling.
            m_scaled = (src.size() == device || unscaled)
                           ? src
                           : src.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            m_scaledFor = device;
            m_scaledFrame = m_frame;
            m_scaledTransparent = Transparent;
        }
        if (unscaled && m_scaled.size() != device) {
            // Drawn unscaled at the top-left corner: one picture pixel per logical pixel.
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRect(target.topLeft(), pictureSize()), m_scaled);
        } else {
            QImage img = m_scaled;
            img.setDevicePixelRatio(dpr);
            p.drawImage(target.topLeft(), img);
        }
    }
    p.setClipping(false);
    paintBackgroundAndCaption(p, client, pal);
    p.restore();
    return m_drawSize;
}

void TAdvImage::paintBackgroundAndCaption(QPainter &p, const QRect &client,
                                          const QPalette &pal) const
{
    const QColor brush = colorFromTColor(Checked ? CheckColor : Color, pal);
    const QRect inner = ImageFrame != ifNone
                            ? client.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth)
                            : client;
    if (hasPicture()) {
        const QRect pr = m_pictureRect.intersected(inner);
        if (pr.isEmpty()) {
            p.fillRect(inner, brush);
        } else {
            p.fillRect(
                QRect(QPoint(inner.left(), inner.top()), QPoint(inner.right(), pr.top() - 1)),
                brush);
            p.fillRect(
                QRect(QPoint(inner.left(), pr.bottom() + 1), QPoint(inner.right(), inner.bottom())),
                brush);
            p.fillRect(QRect(QPoint(inner.left(), pr.top()), QPoint(pr.left() - 1, pr.bottom())),
                       brush);
            p.fillRect(QRect(QPoint(pr.right() + 1, pr.top()), QPoint(inner.right(), pr.bottom())),
                       brush);
        }
    }
    if (!Caption.isEmpty()) {
        const QFontMetrics fm(Font, p.device());
        QString text = Caption.left(255);
        if (fm.horizontalAdvance(text) > inner.width()) {
            QString cut;
            for (const QChar c : text) {
                if (fm.horizontalAdvance(cut) >= inner.width())
                    break;
                cut += c;
            }
            text = cut;
        }
        p.setFont(Font);
        p.setPen(pal.color(QPalette::WindowText));
        const int x = client.left() + (client.width() - fm.horizontalAdvance(text)) / 2;
        const int y = client.top() + client.height() - fm.height() - BevelWidth;
        p.drawText(QRect(x, y, fm.horizontalAdvance(text) + 1, fm.height()),
                   Qt::AlignLeft | Qt::AlignTop, text);
    }
}

TAdvImage::Press TAdvImage::mousePress(QPoint pos, bool ctrl)
{
    if (!ManualZoomAllowed || !ctrl)
        return Press::Ordinary;
    // The square between the area's bottom-right corner and the control's leaves the zoom.
    if (pos.x() > m_area.right() && pos.y() > m_area.bottom()) {
        doubleClick();
        return Press::LeaveZoom;
    }
    if (m_area.contains(pos)) {
        m_selStart = m_selCurrent = pos;
        m_selecting = true;
        return Press::Selecting;
    }
    return Press::Ordinary;
}

void TAdvImage::mouseMove(QPoint pos)
{
    if (m_selecting)
        m_selCurrent = pos;
}

QRect TAdvImage::selectionRect() const
{
    return QRect(m_selStart, m_selCurrent).normalized();
}

bool TAdvImage::mouseRelease(QPoint pos)
{
    if (!m_selecting)
        return false;
    m_selecting = false;
    m_selCurrent = pos;
    const QRect sel = normalisedSelection(m_selStart, pos, m_pictureRect);
    const int base = m_zoomPercent != 0 ? m_zoomPercent : m_drawSize;
    const auto z = zoomForSelection(sel, m_pictureRect, pictureSize(), m_area.size(), base);
    if (!z)
        return false;
    m_zoomPercent = z->zoomPercent;
    // Offsets are measured from the picture's own origin, which lies left of or above the area
    // when it is already zoomed, so zooming again needs nothing added.
    m_zoomOffset = z->offset;
    m_zoomed = true;
    invalidateScaled();
    return true;
}

bool TAdvImage::doubleClick()
{
    if (!m_zoomed)
        return false;
    ResetZoom();
    invalidateScaled();
    return true;
}
