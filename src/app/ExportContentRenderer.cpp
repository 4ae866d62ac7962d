#include "app/ExportContentRenderer.h"

#include "slides/TextSlideDocument.h"

Fallible<SlideScene::OtherContent> ExportContentRenderer::contentFor(const SlideRecord &slide,
                                                                     QSize, qreal)
{
    switch (slide.Kind) {
    case skText:
    case skRichText: return textSlideContent(slide, m_settings, m_palette);
    default: return SlideScene::OtherContent();
    }
}
