#include "tables/CellDifference.h"

#include <algorithm>
#include <cmath>

namespace grafolux {

ShownCells DifferenceCells(const CellTable& a, const CellTable& b, const CellShow& show) {
    const ShownCells before = CellsShown(a, show), after = CellsShown(b, show);
    ShownCells cells;
    for (int k = 0; k < kTableRows; ++k)
        for (int m = 0; m < kTableColumns; ++m) {
            const ShownCell& x = before[k][m];
            const ShownCell& y = after[k][m];
            cells[k][m] = {y.value - x.value, x.available && y.available};
        }
    return cells;
}

ColourScale DifferenceScale(const CellTable& a, const CellTable& b, const CellShow& show) {
    double reach = 1;
    for (const auto& row : DifferenceCells(a, b, show))
        for (const ShownCell& cell : row)
            if (cell.available && std::isfinite(cell.value))
                reach = std::max(reach, std::fabs(cell.value));
    return {show.statistic, -reach, reach, true};
}

}  // namespace grafolux
