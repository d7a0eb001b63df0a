#pragma once
// The frame of a plot of one value against another on the shared drawing area: the canvas
// placed at zoom 1, the axes, and ticks, grid lines and labels at the round values of each.

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "plots/PlotAxis.h"

namespace grafolux {

// The plot's pixels on the canvas, whose top-left pixel is (0, 0): at least 0 each way.
struct PlotPixels {
    int32_t width = 0, height = 0;
};

// Sizes the surfaces for pbGraph's size, clears them and the legend; the plot's pixels.
PlotPixels PlacePlot(DrawingArea& area);

// The ticks at most of a horizontal and a vertical axis of so many pixels.
double MostStepsAcross(int32_t pixels);
double MostStepsDown(int32_t pixels);

// Axes, grid and labels: the values up the left, the values along the bottom.
void DrawPlotFrame(DrawingArea& area, const PlotAxis& x, const PlotAxis& y,
                   const DisplayColors& colors);

}  // namespace grafolux
