#pragma once
// An axis of a scatter plot: the kept values' span widened to a round scale, laid over a row
// of pixels, and the rule that puts a value on a pixel.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace grafolux {

// (v − low) / (high − low), also where a difference exceeds the doubles (1e308 − −1e308).
double FractionOf(double v, double low, double high);

struct PlotAxis {
    double low = 0, high = 1;  // the scale's ends: pixel 0's low edge, the last pixel's high edge
    double step = 0;           // between ticks; 0: no ticks
    int32_t steps = 0;
    int32_t pixels = 0;
    double perHalf = 0;  // pixels / (high / 2 − low / 2)

    // The values lowest … highest (both finite) over `pixels` pixels, with at most `mostSteps`
    // ticks. One value is widened around itself, so that a constant item still has an axis.
    static PlotAxis For(double lowest, double highest, int32_t pixels, double mostSteps);

    // The pixel of v, 0 … pixels − 1: ⌊(v − low) × pixels / (high − low)⌋, clamped; reckoned in
    // halves, so that no difference passes the doubles (1e308 − −1e308). Below 0 is clamped
    // first, so the conversion's truncation is the floor (and far cheaper than std::floor).
    int32_t PixelOf(double v) const {
        const double position = (v * 0.5 - low * 0.5) * perHalf;
        if (!(position >= 0)) return 0;
        return position >= pixels ? std::max(pixels - 1, 0) : static_cast<int32_t>(position);
    }
    // Counted from the other end: the row of v, 0 at the top, on an axis that rises.
    int32_t RowOf(double v) const { return pixels - 1 - PixelOf(v); }
    // The value at `position` pixels from the low edge (a fraction of a pixel allowed).
    double ValueAt(double position) const;
};

}  // namespace grafolux
