#pragma once

#include "presentation/SlideRecord.h"

#include <QString>

// Small rules of the file list editors that the windows apply: what a miniature shows, and what
// the commands that need a selection say when there is none or too much.

struct MiniatureContent
{
    enum class Show { Nothing, Picture, Caption };
    Show show = Show::Nothing;
    QString caption;
    // A title row's miniature takes the title panel's colour (when that panel is plain).
    bool titleColour = false;
};

// What a miniature shows for a file of `kind` (viewable or not), of `fileSize` bytes, under the
// size limits of the options; a title row is a question when `question`.
MiniatureContent miniatureContent(TSlideKind kind, bool viewable, bool question,
                                  const QString &path, qint64 fileSize, int maxBmpFileSize,
                                  int maxOthersImgFileSize);

// "Heu de seleccionar %s arxiu del %s" for a change of a row's file: exactly one file in the
// left list and exactly one row in the grid; "" when the selection will do.
QString changeFileSelectionError(int leftFileCount, int gridRowCount);
// The same rule for playing the left list's file: exactly one.
QString playLeftSelectionError(int leftFileCount);
