#pragma once
// Markers A and B on the graph: two samples the user measures between.

#include <cstdint>
#include <optional>
#include <utility>

namespace grafolux {

struct Markers {
    std::optional<int32_t> a, b;  // sample numbers

    bool any() const { return a || b; }
    // A range change drops the markers it leaves outside first..last.
    void KeepWithin(int32_t first, int32_t last);
    // The samples from the lower marker to the higher, when both are set and differ.
    std::optional<std::pair<int32_t, int32_t>> Span() const;
};

// b - a, rounded to the decimals the two values are written with, so that the difference of
// two logged numbers reads as a logged number would (12.7 - 12.6 is 0.1, not 0.0999...).
double Difference(double a, double b);

}  // namespace grafolux
