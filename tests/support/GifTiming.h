#pragma once

#include "media/TAdvImage.h"
#include "support/FakeScheduler.h"
#include "support/GifBuilder.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

// A three-frame GIF whose own delays (30, 100 and 250 hundredths) differ from anything the
// animation speed asks for, so a test sees which of the two times the frames.
inline QByteArray threeFrameGif()
{
    GifBuilder gif(6, 4, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)});
    const int delays[] = {30, 100, 250};
    for (std::uint8_t c = 0; c < 3; ++c) {
        gif.addGraphicControl(delays[c]);
        gif.addFrame(6, 4, std::vector<std::uint8_t>(24, c));
    }
    return gif.finish();
}

// When, stepping `clock` one millisecond at a time up to `untilMs`, the image's frame changed,
// and to which frame.
struct FrameSteps
{
    std::vector<qint64> times;
    std::vector<int> frames;
};

inline FrameSteps stepFrames(FakeScheduler &clock, const TAdvImage &img, qint64 untilMs)
{
    FrameSteps steps;
    for (qint64 t = 1; t <= untilMs; ++t) {
        const int before = img.frameIndex();
        clock.advance(1);
        if (img.frameIndex() != before) {
            steps.times.push_back(t);
            steps.frames.push_back(img.frameIndex());
        }
    }
    return steps;
}

// The first `count` multiples of `ms`.
inline std::vector<qint64> multiplesOf(qint64 ms, int count)
{
    std::vector<qint64> out;
    for (int k = 1; k <= count; ++k)
        out.push_back(k * ms);
    return out;
}
