#pragma once

#include "files/Fallible.h"
#include "files/MemTable.h"

class SlideList;

// The go-to window's table RMD_Slides: one record per slide that can be gone to, with its
// number `N` (from 1), its file's name `Name` and its first paragraph `Explain`.
MemTable MakeGotoSlidesTable();

// Fills `table` (emptied first) from the list: hidden slides and slides whose file is missing or
// cannot be shown are left out. A malformed line stops the filling with its message; the table
// then holds the records before it.
Fallible<void> FillGotoSlides(MemTable &table, const SlideList &list);

// The record to select when the window opens: the one of line `slideIndex` (0-based), else the
// first. -1 for an empty table.
int GotoRecordOf(const MemTable &table, int slideIndex);
