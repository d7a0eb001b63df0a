#pragma once
// Which cell of a drawn table lies under a point of the canvas.

#include <QPoint>
#include <optional>

#include "draw/Surface.h"
#include "tables/CellSamples.h"

namespace grafolux {

// The cell whose band holds canvas pixel `pixel` of a table drawn on `canvas`: the bands
// the cell values are centred in, each column band starting at its line. Nothing in the
// label strip or right of the last column line.
std::optional<CellAddress> CellAtPoint(const Surface& canvas, QPoint pixel);

}  // namespace grafolux
