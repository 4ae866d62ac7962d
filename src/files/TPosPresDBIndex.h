#pragma once

#include "files/TPosSize.h"

#include <array>

// The remembered bounds of the index grid window, with the widths of its four columns
// (0 = not remembered); the first starts wide enough for a folder.
class TPosPresDBIndex : public TPosSize
{
public:
    using TPosSize::TPosSize;

    std::array<int, 4> ColumnWidths{246, 0, 0, 0};
};
