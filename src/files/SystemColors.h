#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include <cstdint>

// Colours are 32-bit colour numbers: 0x00BBGGRR, or 0x80000000 + n for system colour n.
using TColor = std::int32_t;
constexpr TColor kClBtnFace = TColor(0x8000000F);
constexpr TColor kClWindowText = TColor(0x80000008);
constexpr TColor kClBtnHighlight = TColor(0x80000014);

// Stored colour numbers (0x00BBGGRR, or 0x80000000 + n for system colour n) as screen colours.
// System colours take the matching role of `palette`.
QColor colorFromTColor(TColor value, const QPalette &palette);
// The low three bytes as stored, without resolving a system colour (the gradient ramps use them).
QColor rawColorFromTColor(TColor value);

// A font as stored: Windows interface font names ("MS Sans Serif" and the like) resolve to the
// system's default sans family; sizes are points (8 when not positive).
QFont storedFont(const QString &name, int pointSize, bool bold, bool italic);
QString resolveFontFamily(const QString &storedName);
