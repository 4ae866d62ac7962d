#pragma once

#include "config/PresentationSettings.h"
#include "files/Fallible.h"
#include "presentation/SlideRecord.h"
#include "slides/SlideScene.h"

#include <QPalette>

// An AVI or movie slide drawn without a window, as the player shows it once the first frame is
// up: an AVI fitted in the image panel's client area by the picture settings, the panel's face
// around it; a movie letterboxed over the image panel's place in the panel's start colour.
class VideoSlideExport
{
public:
    // Waits for the backend's first frame at most `timeoutMs` (see VideoFrameGrabber). Fails
    // with a line saying why the video cannot be drawn.
    static Fallible<SlideScene::OtherContent> contentFor(const SlideRecord &slide,
                                                         const PresentationSettings &settings,
                                                         const QPalette &palette,
                                                         int timeoutMs = 5000);
};
