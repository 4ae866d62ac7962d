#pragma once

#include "config/PresentationSettings.h"

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The standard choosers the option dialogs open: a font, a colour, a picture file. Each
// returns nothing (or "") when cancelled. Tests replace them with scripted answers.
struct OptionChoosers
{
    std::function<std::optional<QFont>(const QFont &current)> font;
    std::function<std::optional<TColor>(TColor current)> color;
    std::function<QString(const QString &current)> bitmap;

    // The desktop's font, colour and file dialogs, parented to `parent`.
    static OptionChoosers standard(QWidget *parent);
};

// A colour number for a plain colour (0x00BBGGRR).
TColor tColorFromColor(const QColor &c);
// A font's name, size and style into the stored form; the colour stays.
void setFontSettings(FontSettings &to, const QFont &font);
