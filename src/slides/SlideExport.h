#pragma once

#include "config/PresentationSettings.h"
#include "presentation/SlideList.h"

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

// Paints each visible line of `list`, in list order, as the slide area shows it during a run,
// into `folder`/NNN.png (NNN the slide number, at least three digits), `size` logical pixels at
// `devicePixelRatio`. Relative file names are looked for beside the list as well.
SlideExportResult ExportSlides(const SlideList &list, const QString &listPath,
                               const PresentationSettings &settings, const QString &folder,
                               QSize size, qreal devicePixelRatio, const QPalette &palette);
// "NNN.png" for a 0-based line index.
QString ExportFileName(int lineIndex);
