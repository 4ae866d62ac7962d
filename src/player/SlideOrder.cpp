#include "player/SlideOrder.h"

#include "config/PresentationSettings.h"
#include "files/Prompter.h"
#include "slides/PlayerRandom.h"

#include <algorithm>

int StepBackTarget(StepBack step, int start, int count, bool loop,
                   const std::function<SlideUsable(int position)> &usable,
                   const std::function<void()> &wrapped)
{
    auto firstUsable = [&]() {
        for (int p = 0; p < count; ++p) {
            const SlideUsable u = usable(p);
            if (u != SlideUsable::No)
                return u == SlideUsable::Yes ? p : -1;
        }
        return -1;
    };
    if (count == 0)
        return -1;
    if (step == StepBack::First)
        return firstUsable();
    int cand = start;
    for (int tries = 0; tries <= count; ++tries) {
        --cand;
        if (cand < 0) {
            if (!loop)
                return firstUsable(); // nothing usable before: the first visible slide
            cand = count - 1;
            wrapped();
        }
        if (cand == start)
            return cand; // round the whole order: stay on the current slide
        const SlideUsable u = usable(cand);
        if (u != SlideUsable::No)
            return u == SlideUsable::Yes ? cand : -1;
    }
    return cand;
}

void ClampOrderSettings(int n, PresentationSettings &s)
{
    if (n <= 0)
        return;
    if (s.PresSort == PresSortMode::Random && s.PresDRandom == RandomScope::Range) {
        const int sup = std::clamp<int>(s.RandomRangeSup, 1, n);
        const int inf = std::clamp<int>(s.RandomRangeInf, 1, sup);
        s.RandomRangeSup = std::int16_t(sup);
        s.RandomRangeInf = std::int16_t(inf);
    }
    // No more initial slides than the list holds (0 stays 0: an empty memorisation order).
    if (s.PresSort == PresSortMode::Memorisation && !s.UseAllSlidesToMem && s.InitialImages > n)
        s.InitialImages = std::uint8_t(n);
}

SlideOrder BuildSlideOrder(int n, PresentationSettings &s, std::uint32_t seed, Prompter &prompter)
{
    SlideOrder order;
    if (n < 0)
        n = 0;
    if (n < 3 && s.PresSort != PresSortMode::Sequential) {
        prompter.ShowWarning(QStringLiteral("Cal almenys 3 diapositives per fer una presentació "
                                            "aleatòria\r\nes canvia a mode seqüencial"));
        s.PresSort = PresSortMode::Sequential;
    }
    ClampOrderSettings(n, s);

    int length = n;
    int range = n;
    const bool repeats = s.PresSort == PresSortMode::Memorisation && s.PresRepeatedImages;
    if (s.PresSort == PresSortMode::Random) {
        if (s.PresDRandom == RandomScope::WithOmissions) {
            range -= s.OmissionFirstSlide ? 1 : 0;
            range -= s.OmissionLastSlide ? 1 : 0;
        } else if (s.PresDRandom == RandomScope::Range) {
            s.RandomRangeSup = std::int16_t(std::min<int>(n, s.RandomRangeSup));
            s.RandomRangeInf = std::int16_t(std::min<int>(range, s.RandomRangeInf));
            range = s.RandomRangeSup - s.RandomRangeInf + 1;
        }
    } else if (s.PresSort == PresSortMode::Memorisation) {
        if (!s.UseAllSlidesToMem)
            range = s.InitialImages;
        if (repeats)
            length = s.TotalSlidesToMemorize;
        else if (!s.UseAllSlidesToMem)
            length = s.InitialImages;
    }

    PlayerRandom rng;
    if (s.PresSort != PresSortMode::Sequential)
        rng.seed(seed);

    // A random draw repeats until it finds an index not yet taken; `taken` keeps that test O(1).
    std::vector<bool> taken(std::size_t(n), false);
    const bool random = s.PresSort != PresSortMode::Sequential;
    order.reserve(std::size_t(std::max(length, 0)));
    const auto draw = [&](int r) { return r > 0 ? int(rng.random(std::uint32_t(r))) : 0; };
    for (int i = 0; int(order.size()) < length; ++i) {
        int d = 0;
        bool drawn = false;
        for (;;) {
            if (s.PresSort == PresSortMode::Sequential) {
                d = i;
            } else if (s.PresSort == PresSortMode::Memorisation ||
                       s.PresDRandom == RandomScope::All) {
                d = draw(range);
                drawn = true;
            } else if (s.PresDRandom == RandomScope::WithOmissions) {
                if (s.OmissionFirstSlide && i == 0)
                    d = 0;
                else if (s.OmissionLastSlide && i == n - 1)
                    d = n - 1;
                else {
                    d = draw(range) + (s.OmissionFirstSlide ? 1 : 0);
                    drawn = true;
                }
            } else {
                if (s.RandomRangeInf - 1 <= i && i <= s.RandomRangeSup - 1) {
                    d = draw(range) + s.RandomRangeInf - 1;
                    drawn = true;
                } else {
                    d = i;
                }
            }
            if (d < 0 || d >= n)
                break; // cannot happen once the settings are in bounds; never index outside
            if (random && !repeats && taken[std::size_t(d)] && drawn)
                continue; // a repeat: draw again for the same position
            break;
        }
        if (d < 0 || d >= n)
            break;
        if (!repeats && random && taken[std::size_t(d)])
            break; // a fixed index already taken: the settings cannot give a complete order
        taken[std::size_t(d)] = true;
        order.push_back({d, {}});
    }
    return order;
}
