#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// The median of a benchmark's timings (the upper middle for an even count).
inline double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The milliseconds since `timer` started.
inline double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}
