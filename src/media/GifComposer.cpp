#include "media/GifComposer.h"

#include "media/PictureLimits.h"
#include "media/TGIFData.h"

#include <algorithm>

namespace {

const QImage &noImage()
{
    static const QImage none;
    return none;
}

} // namespace

GifComposer::GifComposer(std::shared_ptr<TGIFData> data) : m_data(std::move(data)) {}

const QImage &GifComposer::frame(int index)
{
    if (!m_data || index < 0 || index >= m_data->frameCount())
        return noImage();
    const int w = m_data->screenWidth();
    const int h = m_data->screenHeight();
    if (w == 0 || h == 0) {
        m_screen = m_data->frames()[size_t(index)].bitmap();
        m_index = -1;
        return m_screen;
    }
    if (qint64(w) * h > kMaxPicturePixels)
        return noImage();
    if (m_index < 0 || index < m_index) {
        start();
        if (m_screen.isNull())
            return noImage();
    }
    while (m_index < index) {
        if (m_index >= 0)
            dispose(m_index);
        ++m_index;
        draw(m_index);
    }
    return m_screen;
}

QRgb GifComposer::background(int index) const
{
    const TGIFFrame &f = m_data->frames()[size_t(index)];
    if (f.graphicControl && f.graphicControl->hasTransparency())
        return 0;
    const Fallible<QRgb> colour = m_data->globalColorTable().color(m_data->backgroundIndex());
    return colour.ok() ? colour.value() | 0xFF000000u : 0;
}

void GifComposer::start()
{
    m_index = -1;
    m_beforeFrame = QImage();
    m_screen = QImage(m_data->screenWidth(), m_data->screenHeight(), QImage::Format_ARGB32);
    if (!m_screen.isNull())
        m_screen.fill(background(0));
}

void GifComposer::draw(int index)
{
    const TGIFFrame &f = m_data->frames()[size_t(index)];
    if (f.graphicControl && f.graphicControl->disposal() == 3)
        m_beforeFrame = m_screen;
    const QImage &bitmap = f.bitmap();
    const int left = f.descriptor().left;
    const int top = f.descriptor().top;
    const QRect r = QRect(left, top, bitmap.width(), bitmap.height()).intersected(m_screen.rect());
    if (r.isEmpty())
        return;
    if (bitmap.format() == QImage::Format_Indexed8) {
        const int transparent = f.graphicControl && f.graphicControl->hasTransparency()
                                    ? f.graphicControl->transparentIndex
                                    : -1;
        const QList<QRgb> table = bitmap.colorTable();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const uchar *src = bitmap.constScanLine(y - top) + (r.left() - left);
            auto *dst = reinterpret_cast<QRgb *>(m_screen.scanLine(y)) + r.left();
            for (int x = 0; x < r.width(); ++x) {
                const int i = src[x];
                if (i == transparent)
                    continue;
                dst[x] = (i < table.size() ? table[i] : 0u) | 0xFF000000u;
            }
        }
        return;
    }
    // A frame with text drawn on it is no longer indexed: it covers its rectangle.
    const QImage opaque = bitmap.convertToFormat(QImage::Format_RGB32);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *src =
            reinterpret_cast<const QRgb *>(opaque.constScanLine(y - top)) + (r.left() - left);
        auto *dst = reinterpret_cast<QRgb *>(m_screen.scanLine(y)) + r.left();
        for (int x = 0; x < r.width(); ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
}

void GifComposer::dispose(int index)
{
    const TGIFFrame &f = m_data->frames()[size_t(index)];
    if (!f.graphicControl)
        return;
    switch (f.graphicControl->disposal()) {
    case 2: {
        const QRect r =
            QRect(f.descriptor().left, f.descriptor().top, f.bitmap().width(), f.bitmap().height())
                .intersected(m_screen.rect());
        const QRgb fill = background(index);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto *dst = reinterpret_cast<QRgb *>(m_screen.scanLine(y)) + r.left();
            std::fill(dst, dst + r.width(), fill);
        }
        break;
    }
    case 3:
        if (!m_beforeFrame.isNull())
            m_screen = m_beforeFrame;
        m_beforeFrame = QImage();
        break;
    default: break; // 0 and 1 leave the frame; 4-7 are undefined and do the same
    }
}
