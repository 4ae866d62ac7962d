#pragma once

#include <cstdint>
#include <functional>
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

// Whether a position can be landed on by previous or first; a malformed line stops the search.
enum class SlideUsable { Yes, No, Malformed };
enum class StepBack { Previous, First };

// The position previous or first lands on, searching the `count` positions of the order from
// `start`: first takes the first usable position; previous the nearest usable one before
// `start`, going round to the end when `loop` (calling `wrapped`, which may rebuild the order)
// and staying at `start` after a whole round; without loop, with nothing usable before, it lands
// on the first usable position. -1 when nothing is usable or a malformed line was met.
int StepBackTarget(StepBack step, int start, int count, bool loop,
                   const std::function<SlideUsable(int position)> &usable,
                   const std::function<void()> &wrapped);

// Brings the range and memorisation counts within the list: 1 <= RandomRangeInf <=
// RandomRangeSup <= lineCount, and InitialImages <= lineCount.
void ClampOrderSettings(int lineCount, PresentationSettings &settings);
