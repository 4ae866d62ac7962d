#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Video files the tests make themselves with the ffmpeg command: the test pattern (colour bars
// over a circle, a scrolling strip and a counter), a tone with no picture; and FFmpeg's own
// decode of a file's first frame, the reference for what the program draws.
namespace VideoFixtures {

// Whether the ffmpeg command is there.
bool available();
// The test pattern of `size` for `seconds` at 10 frames a second into `path` (the extension
// picks the container: .avi or .mov), in Motion JPEG; false when ffmpeg failed.
bool testPattern(const QString &path, QSize size = QSize(320, 240), double seconds = 1.0);
// A tone of `seconds` with no picture, in 16-bit PCM.
bool soundOnly(const QString &path, double seconds = 1.0);
// FFmpeg's decode of the first frame; null when it failed.
QImage referenceFrame(const QString &path);

// Points of the pattern's top row of eight colour bars (one per bar), which stay still while the
// video plays, in the coordinates of a frame of `size`.
QList<QPoint> stillBarPoints(QSize size = QSize(320, 240));
// How many of the bar points, drawn scaled into `drawn` on `shot`, match the reference frame's
// colours within `tolerance` on each channel.
int matchingBars(const QImage &shot, const QRect &drawn, const QImage &reference,
                 int tolerance = 48);
// Whether two colours differ by at most `tolerance` on each channel.
bool near(QColor a, QColor b, int tolerance = 8);

} // namespace VideoFixtures
