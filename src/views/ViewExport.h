#pragma once
// Composition of what the window shows into one picture for "Save As GIF".

#include <QImage>
#include <cstdint>

#include "draw/DrawingArea.h"
#include "views/ViewMode.h"

namespace grafolux {

// An RGB32 picture as high as pbGraph and as wide as pbGraph (plus pbLegend in the graph view,
// lngViewMode 1, the scatter plot and the histogram, and in a table view whose legend shows
// something), on black: pbGraph, then the part of the canvas seen through the container at (615,
// 120) twips, then the legend at the right.
QImage ComposeView(const DrawingArea& area, ViewMode view);

// The size of that picture for a pbGraph and a legend of these sizes, in pixels.
QSize ComposedSize(QSize graph, int legendWidth, ViewMode view, bool tableLegend = false);

}  // namespace grafolux
