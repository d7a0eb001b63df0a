#pragma once
// Drawing of a cell table on the shared area.

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "tables/CellStats.h"

namespace grafolux {

// Every column line of a table lies this far (twips) left of its place.
constexpr int kColumnOffset = 15;

// Grid, row and column labels, cell means or "N/A"; clears the legend, unscrolls the canvas.
void DrawCellTable(DrawingArea& area, const CellTable& table, const DisplayColors& colors);

}  // namespace grafolux
