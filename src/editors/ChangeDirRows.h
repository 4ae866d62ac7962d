#pragma once

#include <QStringList>

#include <vector>

// Which rows "Canvia el directori..." moves to the new directory.
enum class ChangeDirScope {
    All,              // "&Totes les diapositives"
    Selected,         // "&Sols les diapositives seleccionades"
    SelectedMatching, // the selected rows whose Dir equals the first selected row's
    AllMatching,      // every row whose Dir equals the first selected row's
};

// The rows of a table of `rowCount` rows, each with its Dir in `dirs`, that the change reaches,
// in ascending order. `selected` are the selected rows in any order; the first selected row is
// the lowest. Selected rows outside the table are ignored; with no selected row left, the scopes
// that need a selection reach nothing.
std::vector<int> rowsForDirChange(int rowCount, const std::vector<int> &selected,
                                  const QStringList &dirs, ChangeDirScope scope);

// What "Canvia el directori" hands back: the new directory and the rows it goes to.
struct ChangeDirChoice
{
    QString directory;
    ChangeDirScope scope = ChangeDirScope::All;
};
