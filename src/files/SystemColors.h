#pragma once

#include "config/PresentationSettings.h"

#include <QColor>
#include <QFont>
#include <QPalette>

// Stored colour numbers (0x00BBGGRR, or 0x80000000 + n for system colour n) as screen colours.
// System colours take the matching role of `palette`.
QColor colorFromTColor(TColor value, const QPalette &palette);
// The low three bytes as stored, without resolving a system colour (the gradient ramps use them).
QColor rawColorFromTColor(TColor value);

// A font from the settings. Windows interface font names ("MS Sans Serif" and the like) resolve to
// the system's default sans family; sizes are points.
QFont fontFromSettings(const FontSettings &f);
QString resolveFontFamily(const QString &storedName);
