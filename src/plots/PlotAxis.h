#pragma once
// An axis of a scatter plot: the kept values' span widened to a round scale, laid over a row
// of pixels, and the rule that puts a value on a pixel.

#include <cstdint>

namespace grafolux {

// (v − low) / (high − low), also where a difference exceeds the doubles (1e308 − −1e308).
double FractionOf(double v, double low, double high);

struct PlotAxis {
    double low = 0, high = 1;  // the scale's ends: pixel 0's low edge, the last pixel's high edge
    double step = 0;           // between ticks; 0: no ticks
    int32_t steps = 0;
    int32_t pixels = 0;

    // The values lowest … highest (both finite) over `pixels` pixels, with at most `mostSteps`
    // ticks. One value is widened around itself, so that a constant item still has an axis.
    static PlotAxis For(double lowest, double highest, int32_t pixels, double mostSteps);

    // The pixel of v, 0 … pixels − 1: ⌊(v − low) / (high − low) × pixels⌋, clamped.
    int32_t PixelOf(double v) const;
    // Counted from the other end: the row of v, 0 at the top, on an axis that rises.
    int32_t RowOf(double v) const { return pixels - 1 - PixelOf(v); }
    // The value at `position` pixels from the low edge (a fraction of a pixel allowed).
    double ValueAt(double position) const;
};

}  // namespace grafolux
