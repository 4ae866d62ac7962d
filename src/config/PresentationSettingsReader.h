#pragma once

#include "config/PresentationSettings.h"

class TNewIniFile;

// Fills `s` from an open settings file in the order the keys depend on each other: a missing or
// unparsable key gives its default, an out-of-range value the default or the value in force as
// each key requires, and a conditional key that is not read keeps the value in force.
// Stored font names and background bitmaps are taken as stored here; looking them up among the
// installed fonts and asking for missing bitmaps belongs to the window that applies them.
void ReadPresentationSettings(const TNewIniFile &file, PresentationSettings &s);
