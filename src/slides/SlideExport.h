#pragma once

#include "config/PresentationSettings.h"
#include "files/Fallible.h"
#include "presentation/SlideList.h"
#include "slides/SlideScene.h"

#include <QPalette>
#include <QSize>
#include <QString>
#include <QStringList>

// The outcome of drawing every visible slide of a list to pictures.
struct SlideExportResult
{
    int written = 0;
    QStringList problems; // one Catalan line per slide that could not be drawn as it should
    QString fatal;        // set when nothing could be written (the folder, for instance)
};

// Draws the content of text, web and video slides for the export, where no window's view is
// there to show it. Asked once per such slide, with the slide's file name already located.
class SlideContentRenderer
{
public:
    virtual ~SlideContentRenderer() = default;
    // What the slide area shows for `slide` in an area of `area` logical pixels at `dpr`, or
    // the Catalan reason why it cannot be drawn (the slide then shows its file's name).
    virtual Fallible<SlideScene::OtherContent> contentFor(const SlideRecord &slide, QSize area,
                                                          qreal dpr) = 0;
};

// Paints each visible line of `list`, in list order, as the slide area shows it during a run,
// into `folder`/NNN.png (NNN the slide number, at least three digits), `size` logical pixels at
// `devicePixelRatio`. Relative file names are looked for beside the list as well. Text, web and
// video slides are drawn by `renderer`; without one they show their file's name.
SlideExportResult ExportSlides(const SlideList &list, const QString &listPath,
                               const PresentationSettings &settings, const QString &folder,
                               QSize size, qreal devicePixelRatio, const QPalette &palette,
                               SlideContentRenderer *renderer = nullptr);
// "NNN.png" for a 0-based line index.
QString ExportFileName(int lineIndex);
