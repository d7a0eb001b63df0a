#pragma once
// The surfaces shared by the graph and the cell tables: pbGraph (axes and row labels)
// holds pbGraphContainer (the visible frame) holding pbGraphContents (the drawn canvas,
// as wide as the frame times the zoom); pbLegend stands to the right.

#include <cstdint>

#include "draw/Surface.h"

namespace grafolux {

// Margins of the plot area on pbGraph, twips.
constexpr int kMarginLeft = 600;
constexpr int kMarginRight = 75;
constexpr int kMarginTop = 120;
constexpr int kBottomStrip = 300;
// The ticks left of the plot: a value tick runs from kValueTickStart to the axis, its label
// right-aligned at kValueLabelRight; a table's row tick is kRowTickLength long, its label
// kRowLabelGap left of it.
constexpr double kValueTickStart = 555;
constexpr double kValueLabelRight = 525;
constexpr int kRowTickLength = 45;
constexpr int kRowLabelGap = 30;

struct DrawingArea {
    Surface pbGraph;
    Surface pbGraphContainer;  // only its geometry matters: the canvas covers it
    Surface pbGraphContents;
    Surface pbLegend;
    int32_t lngLegendLines = 0;
};

// Empties the legend box: its drawing and its count of entries.
void ClearLegend(DrawingArea& area);

// A view's plot in twips: W x H inside the margins of pbGraph, the canvas CW wide.
struct PlotSize {
    double W = 0, H = 0, CW = 0;
};

// Puts the container one pixel right of the value axis and sizes it and the canvas (the
// container's width times `zoom`, a table's 1) for pbGraph's present size. A resized surface is
// cleared.
PlotSize PlaceCanvas(DrawingArea& area, double zoom);

}  // namespace grafolux
