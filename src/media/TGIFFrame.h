#pragma once

#include "media/GifExtensions.h"
#include "media/TColorTable.h"

#include <QImage>
#include <QString>

#include <optional>

// The fields of an image descriptor; the interlace flag is bit 6 of `packed`.
struct TImageDescriptor
{
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t packed = 0;
    TColorTable colorTable; // the local table, or else the global one

    bool interlaced() const { return packed & 0x40; }
    bool hasLocalTable() const { return packed & 0x80; }
};

// One decoded image of a GIF: its own pixels at its own size, as stored (GifComposer lays the
// frames on the logical screen), and its delay in hundredths of a second.
class TGIFFrame
{
public:
    TGIFFrame(TImageDescriptor descriptor, QImage bitmap, int delay);

    const QImage &bitmap() const { return m_bitmap; }
    const TImageDescriptor &descriptor() const { return m_descriptor; }
    int delay() const { return m_delay; }
    void setDelay(int delay) { m_delay = delay; }

    // The decoded bitmap belongs to the file's data; replacing it from outside is refused.
    QString setBitmap(const QImage &bitmap);

    // Parsing only: draws a plain-text extension on this frame.
    void replaceDecodedBitmap(QImage bitmap) { m_bitmap = std::move(bitmap); }

    std::optional<TGraphicControlExtension> graphicControl;
    std::optional<TPlainTextExtension> plainText;

private:
    TImageDescriptor m_descriptor;
    QImage m_bitmap;
    int m_delay;
};
