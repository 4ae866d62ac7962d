#include "app/ExportContentRenderer.h"

#include "player/ui/VideoSlideExport.h"
#include "slides/TextSlideDocument.h"

namespace {

// How long the export waits for a video's first frame.
constexpr int kVideoFrameTimeoutMs = 5000;

} // namespace

ExportContentRenderer::ExportContentRenderer(const PresentationSettings &settings,
                                             const QPalette &palette)
    : m_settings(settings), m_palette(palette)
{}

Fallible<SlideScene::OtherContent> ExportContentRenderer::contentFor(const SlideRecord &slide,
                                                                     QSize area, qreal dpr)
{
    (void)area;
    (void)dpr;
    switch (slide.Kind) {
    case skText:
    case skRichText: return textSlideContent(slide, m_settings, m_palette);
    case skVideo:
    case skMovie:
        return VideoSlideExport::contentFor(slide, m_settings, m_palette, kVideoFrameTimeoutMs);
    default: break;
    }
    // Nobody draws this kind yet: the scene shows the file's name.
    return SlideScene::OtherContent();
}
