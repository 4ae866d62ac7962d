#pragma once

#include "files/Fallible.h"

#include <QImage>
#include <QString>

// The first frame of a video file as the media backend decodes it, for tools that draw a video
// slide without a window (the export). It waits for the backend in a local event loop bounded
// by `timeoutMs`; the player never uses it, since it must not wait.
class VideoFrameGrabber
{
public:
    // The frame; a null image for a file with sound only. Fails with the backend's reason, or
    // when no frame came in time.
    static Fallible<QImage> firstFrame(const QString &path, int timeoutMs = 5000);
};
