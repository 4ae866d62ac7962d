#pragma once

#include "config/PresentationSettings.h"
#include "slides/SlideExport.h"

#include <QPalette>

// The content of text, web and video slides for the headless export, by slide kind. A kind
// without a drawing of its own gets an empty content: the slide then shows its file's name.
class ExportContentRenderer : public SlideContentRenderer
{
public:
    ExportContentRenderer(const PresentationSettings &settings, const QPalette &palette)
        : m_settings(settings), m_palette(palette)
    {}

    Fallible<SlideScene::OtherContent> contentFor(const SlideRecord &slide, QSize area,
                                                  qreal dpr) override;

private:
    const PresentationSettings &m_settings;
    QPalette m_palette;
};
