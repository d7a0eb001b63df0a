#include "plots/PlotAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "graph/NiceScale.h"

namespace grafolux {

double FractionOf(double v, double low, double high) {
    const double offset = v - low, width = high - low;
    if (std::isfinite(offset) && std::isfinite(width)) return offset / width;
    // Halving is exact for numbers this large.
    return (v * 0.5 - low * 0.5) / (high * 0.5 - low * 0.5);
}

PlotAxis PlotAxis::For(double lowest, double highest, int32_t pixels, double mostSteps) {
    PlotAxis axis;
    axis.pixels = std::max(pixels, 0);
    if (lowest == highest) {
        constexpr double kLargest = std::numeric_limits<double>::max();
        const double half = std::max(1.0, std::fabs(lowest) * 0x1p-20);
        lowest = std::max(lowest - half, -kLargest);
        highest = std::min(highest + half, kLargest);
    }
    axis.step =
        NiceScale(lowest, highest, std::max(mostSteps, 1.0), axis.low, axis.high, axis.steps);
    // Without a round scale the values themselves bound the axis.
    if (axis.step == 0) {
        axis.low = lowest;
        axis.high = highest;
        axis.steps = 0;
    }
    axis.perHalf = axis.pixels / (axis.high * 0.5 - axis.low * 0.5);
    return axis;
}

double PlotAxis::ValueAt(double position) const {
    const double fraction = position / pixels;
    const double value = low + fraction * (high - low);
    return std::isfinite(value) ? value : low * (1 - fraction) + high * fraction;
}

}  // namespace grafolux
