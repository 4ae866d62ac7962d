#pragma once

#include "files/TPosSize.h"

#include <array>

// The remembered bounds of a window that picks a record from a grid, with the widths of the
// grid's two text columns (0 = not remembered).
class TPosSizeSel : public TPosSize
{
public:
    using TPosSize::TPosSize;

    std::array<int, 2> ColumnWidths{0, 0};
};
