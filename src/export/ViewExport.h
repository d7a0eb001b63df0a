#pragma once
// Composition of what the window shows into one picture for "Save As GIF".

#include <QImage>
#include <cstdint>

#include "graph/DrawingArea.h"

namespace grafolux {

// pbGraph, the visible part of the canvas at (615, 120) twips, and in the graph view the
// legend at the right.
QImage ComposeView(const DrawingArea& area, int32_t lngViewMode);

}  // namespace grafolux
