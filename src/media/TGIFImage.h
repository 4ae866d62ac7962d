#pragma once

#include "files/Fallible.h"
#include "media/GifComposer.h"
#include "media/TGIFData.h"
#include "media/TMPTimerPool.h"

#include <QByteArray>
#include <QRectF>

#include <functional>
#include <memory>
#include <optional>

class Prompter;
class QIODevice;
class QPainter;

// A GIF picture: holds the file's data (shared with pictures assigned from it), shows one frame
// at a time and steps through them on a trigger of the shared timer pool.
class TGIFImage
{
public:
    explicit TGIFImage(Scheduler &scheduler, Prompter *prompter = nullptr);
    ~TGIFImage();
    TGIFImage(const TGIFImage &) = delete;
    TGIFImage &operator=(const TGIFImage &) = delete;

    // Keeps the bytes (parsed on first need) and shows frame 0.
    void loadFromBytes(const QByteArray &bytes);
    void loadFromStream(QIODevice &device);
    // Writes the stored bytes back unchanged; an empty picture is an error.
    std::optional<QString> saveToStream(QIODevice &device) const;

    // Shares `other`'s data; nullptr empties the picture.
    void assign(const TGIFImage *other);
    // The refusal given when a picture of another kind is assigned.
    static QString assignRefusal(const QString &className);

    bool empty() const { return m_data == nullptr; }
    int width() const; // the logical screen size; 0 when empty
    int height() const;
    int frameCount() const;
    Fallible<const TGIFFrame *> frame(int index) const;
    std::shared_ptr<TGIFData> data() const { return m_data; }

    int FrameIndex() const { return m_frameIndex; }
    // Clamped to the frames; a change sets the trigger to the new frame's delay and reports it.
    void SetFrameIndex(int index);
    // The next frame, or the first after the last: the animation loops without end.
    void nextFrame();
    void Animate(bool on);
    bool animating() const;
    // Every frame's delay becomes `value` hundredths of a second (shown at least 55 ms).
    void AnimateSpeed(int value);

    // Stretches the logical screen, with the frames up to the current one composed on it, over
    // `target`; a picture without frames draws nothing.
    void draw(QPainter &painter, const QRectF &target) const;

    // Called whenever the shown frame changes.
    std::function<void()> onChange;

    int triggerHandle() const { return m_trigger; }
    TMPTimerPool &pool() const { return *m_pool; }

private:
    void afterLoad();
    void showDrawingErrors();

    std::shared_ptr<TMPTimerPool> m_pool;
    Prompter *m_prompter;
    std::shared_ptr<TGIFData> m_data;
    int m_frameIndex = -1;
    int m_trigger = -1;
    mutable GifComposer m_composer;
};
