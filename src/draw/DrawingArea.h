#pragma once
// The surfaces shared by the graph and the cell tables: pbGraph (axes and row labels)
// holds pbGraphContainer (the visible frame) holding pbGraphContents (the drawn canvas,
// as wide as the frame times the zoom); pbLegend stands to the right.

#include <cstdint>

#include "graph/Surface.h"

namespace grafolux {

// Margins of the plot area on pbGraph, twips.
constexpr int kMarginLeft = 600;
constexpr int kMarginRight = 75;
constexpr int kMarginTop = 120;
constexpr int kBottomStrip = 300;

struct DrawingArea {
    Surface pbGraph;
    Surface pbGraphContainer;  // only its geometry matters: the canvas covers it
    Surface pbGraphContents;
    Surface pbLegend;
    int32_t lngLegendLines = 0;
};

}  // namespace grafolux
