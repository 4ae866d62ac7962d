#pragma once

#include "editors/ui/TFEdiPresVideo.h"

// The preview of an AVI video: played by the media player on a video surface fitted into the
// image panel with the player's video zoom, on the image panel's colour.
class TFEdiPresAvi : public TFEdiPresVideo
{
    Q_OBJECT
public:
    TFEdiPresAvi(const SlideRecord &slide, PreviewContext &context, QWidget *parent = nullptr);
};
