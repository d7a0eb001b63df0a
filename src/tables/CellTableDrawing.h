#pragma once
// Drawing of a cell table on the shared area.

#include <optional>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "tables/CellColours.h"
#include "tables/CellDisplay.h"

namespace grafolux {

// Every column line of a table lies this far (twips) left of its place.
constexpr int kColumnOffset = 15;

// Grid, row and column labels, each cell's value or "N/A" (a count below the minimum in the
// N/A grey); clears the legend, unscrolls the canvas. The default look is the means in yellow.
void DrawCellTable(DrawingArea& area, const CellTable& table, const DisplayColors& colors,
                   const CellLook& look = {});

// The same for cells already decided, coloured on `scale` when one is given.
void DrawShownCells(DrawingArea& area, const ShownCells& cells, CellStatistic statistic,
                    const std::optional<ColourScale>& scale, const DisplayColors& colors);

}  // namespace grafolux
