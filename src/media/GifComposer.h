#pragma once

#include <QImage>
#include <QRgb>

#include <memory>

class TGIFData;

// Lays the frames of a GIF on its logical screen one after the other, as the format defines it:
// each frame at its offset and clipped to the screen, its transparent colour letting what lies
// below show through, and its disposal method applied before the next frame is drawn (none and
// 1 leave it, 2 restores its rectangle to the background, 3 to what was there before it).
//
// The background is transparent behind a frame that has a transparent colour, else the logical
// screen's background colour (transparent when the file has no global table). The screen starts
// as the first frame's background and starts anew when the animation returns to frame 0.
//
// Frames are composed when asked for, in order: stepping forward costs one frame, asking for an
// earlier one composes again from the first. Only the screen and the one saved for disposal 3
// are held, whatever the number of frames.
class GifComposer
{
public:
    GifComposer() = default;
    explicit GifComposer(std::shared_ptr<TGIFData> data);

    bool isNull() const { return m_data == nullptr; }
    // The screen as it shows at frame `index` (ARGB32, the logical screen's size). Null for an
    // index outside the frames and for a screen too large to hold. A file whose screen has no
    // area has nothing to lay frames on: each frame comes as stored.
    const QImage &frame(int index);

private:
    QRgb background(int index) const;
    void start();
    void draw(int index);
    void dispose(int index);

    std::shared_ptr<TGIFData> m_data;
    QImage m_screen;
    QImage m_beforeFrame; // the screen before the last frame, kept only for disposal 3
    int m_index = -1;     // the frame m_screen shows, -1 before the first
};
