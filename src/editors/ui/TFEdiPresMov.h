#pragma once

#include "editors/ui/TFEdiPresVideo.h"

// The preview of a QuickTime movie: played in the movie control, which keeps the picture's
// proportions on the image panel's colour and does not loop.
class TFEdiPresMov : public TFEdiPresVideo
{
    Q_OBJECT
public:
    TFEdiPresMov(const SlideRecord &slide, PreviewContext &context, QWidget *parent = nullptr);
};
