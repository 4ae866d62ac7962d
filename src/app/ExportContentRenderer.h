#pragma once

#include "config/PresentationSettings.h"
#include "slides/SlideExport.h"

#include <QPalette>

// The export's drawing of the slides whose content a window's view shows in the player (text,
// web, video), by slide kind. A kind without a drawing of its own shows its file's name.
class ExportContentRenderer : public SlideContentRenderer
{
public:
    ExportContentRenderer(const PresentationSettings &settings, const QPalette &palette);
    Fallible<SlideScene::OtherContent> contentFor(const SlideRecord &slide, QSize area,
                                                  qreal dpr) override;

private:
    const PresentationSettings &m_settings;
    QPalette m_palette;
};
