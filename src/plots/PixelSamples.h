#pragma once
// The samples behind one pixel of a scatter plot, found again in a log: to mark them on the
// graph, and the one nearest a point of the plot.

#include <cstdint>
#include <optional>
#include <span>

#include "logdata/SampleMarks.h"
#include "plots/PlotAxis.h"
#include "plots/ScatterDrawing.h"

namespace grafolux {

struct PlotPixel {
    PlotAxis x, y;                // the plot's axes
    int32_t column = 0, row = 0;  // row 0 at the top
};

// The samples of `log` in first … last that pass the conditions (one naming an item the log
// lacks is ignored), have values of X and Y, and land on the pixel; none when the log lacks X
// or Y.
SampleMarks MarkPixelSamples(const LogData& log, int32_t first, int32_t last,
                             const ScatterItems& items, std::span<const SampleCondition> conditions,
                             const PlotPixel& pixel);

// Of the marked samples, the one whose point lies nearest (x, y) on the plot; none without one.
std::optional<int32_t> NearestSample(const SampleMarks& marks, const LogData& log,
                                     const ScatterItems& items, const PlotPixel& pixel, double x,
                                     double y);

}  // namespace grafolux
