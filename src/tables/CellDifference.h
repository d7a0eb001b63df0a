#pragma once
// Before and after: each cell of log B's table minus the same cell of log A's.

#include "tables/CellColours.h"
#include "tables/CellDisplay.h"

namespace grafolux {

// B's statistic minus A's, each under `show`. A count always has its difference; any other
// statistic has one only where both cells show a value. A difference is `available` only
// where both cells are.
ShownCells DifferenceCells(const CellTable& a, const CellTable& b, const CellShow& show);

// Diverging around 0, blue where B is lower, saturated at ± the largest difference shown (at
// least 1, so that the scale has a length): a small change still shows in a table without a
// large one.
ColourScale DifferenceScale(const CellTable& a, const CellTable& b, const CellShow& show);

}  // namespace grafolux
