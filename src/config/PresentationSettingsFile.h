#pragma once

#include "config/PresentationSettings.h"

#include <QString>

#include <functional>

class FontLookup;
class Prompter;
class TNewIniFile;

// What reading needs beyond the file: which fonts exist, where to ask, and how to look for a
// missing background bitmap.
struct SettingsReadContext
{
    const FontLookup *fonts = nullptr; // null: every stored font name is taken
    Prompter *prompter = nullptr;      // null: no warnings or questions (missing bitmaps dropped)
    // Lets the user pick a replacement picture; returns "" when cancelled.
    std::function<QString(const QString &missingPath)> pickBitmap;
};

// Fills `s` from an open settings file in the order the keys depend on each other: a missing or
// unparsable key gives its default, an out-of-range value the default or the value in force as
// each key requires, and a conditional key that is not read keeps the value in force. A stored
// font name that is not available warns and keeps the name in force; a background bitmap that is
// missing is asked for when the panel's effect needs it, and dropped otherwise.
void ReadPresentationSettings(const TNewIniFile &file, PresentationSettings &s,
                              const SettingsReadContext &context = {});

// Writes every key, keeping the reader's conditions (omissions only for PresDRandom 1, the range
// only for 2, InitialImages only when not every slide is used, TotalSlidesToMemorize only with
// repetition); keys not written keep what the file held. The caller calls UpdateFile.
bool WritePresentationSettings(TNewIniFile &file, const PresentationSettings &s);

// The settings as "Section.Key=value" lines, one per field, in the order they are written.
QStringList DescribePresentationSettings(const PresentationSettings &s);
