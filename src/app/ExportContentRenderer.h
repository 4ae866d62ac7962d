#pragma once

#include "config/PresentationSettings.h"
#include "slides/SlideExport.h"

#include <QPalette>

#include <chrono>

// What the export draws for the slides whose content a window's view shows during a run (text,
// web, video). Each kind of slide has its own drawing; a kind without one shows its file's name.
class ExportContentRenderer : public SlideContentRenderer
{
public:
    // `webTimeout` bounds the wait for each web page to load.
    ExportContentRenderer(const PresentationSettings &settings, const QPalette &palette,
                          std::chrono::milliseconds webTimeout = std::chrono::seconds(10));

    Fallible<SlideScene::OtherContent> contentFor(const SlideRecord &slide, QSize area,
                                                  qreal dpr) override;

    // Whether the list file at `path` has a web slide, read before any application object
    // exists: drawing web pages needs a QApplication rather than a QGuiApplication.
    static bool listHasWebSlide(const QString &path);

private:
    Fallible<SlideScene::OtherContent> webContent(const SlideRecord &slide, QSize area);

    const PresentationSettings &m_settings;
    QPalette m_palette;
    std::chrono::milliseconds m_webTimeout;
};
