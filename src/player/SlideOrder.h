#pragma once

#include <cstdint>
#include <vector>

struct PresentationSettings;
class Prompter;

struct TInfoSlideListComp
{
    bool NotRemembered = false;
};

struct SlideOrderEntry
{
    int slide = 0; // 0-based line index
    TInfoSlideListComp info;
};

using SlideOrder = std::vector<SlideOrderEntry>;

// Builds the showing order of a list of `lineCount` lines from the order settings. A random
// order on fewer than three lines warns and switches `settings` to sequential order. Random
// ranges and memorisation counts that do not fit the list are first brought into bounds.
// `seed` feeds the generator (the caller takes it from the clock).
SlideOrder BuildSlideOrder(int lineCount, PresentationSettings &settings, std::uint32_t seed,
                           Prompter &prompter);

// Brings the range and memorisation counts within the list: 1 <= RandomRangeInf <=
// RandomRangeSup <= lineCount, and InitialImages <= lineCount.
void ClampOrderSettings(int lineCount, PresentationSettings &settings);
