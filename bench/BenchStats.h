#pragma once

#include <algorithm>
#include <vector>

// The median of a benchmark's timings (the upper middle for an even count).
inline double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
