#include "editors/ChangeDirRows.h"

#include <algorithm>

std::vector<int> rowsForDirChange(int rowCount, const std::vector<int> &selected,
                                  const QStringList &dirs, ChangeDirScope scope)
{
    std::vector<int> out;
    if (scope == ChangeDirScope::All) {
        for (int r = 0; r < rowCount; ++r)
            out.push_back(r);
        return out;
    }
    std::vector<int> chosen;
    for (int r : selected)
        if (r >= 0 && r < rowCount)
            chosen.push_back(r);
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    if (chosen.empty() || scope == ChangeDirScope::Selected)
        return chosen;
    const auto dirOf = [&dirs](int r) { return r < dirs.size() ? dirs[r] : QString(); };
    const QString first = dirOf(chosen.front());
    if (scope == ChangeDirScope::SelectedMatching) {
        for (int r : chosen)
            if (dirOf(r) == first)
                out.push_back(r);
        return out;
    }
    for (int r = 0; r < rowCount; ++r)
        if (dirOf(r) == first)
            out.push_back(r);
    return out;
}
