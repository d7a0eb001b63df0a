#pragma once
// The histogram of one item on the shared drawing area: a bar per bin, its height the bin's
// count (or its percent of the kept samples), with the mean, median and percentiles in the
// legend.

#include <optional>
#include <span>
#include <string>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "plots/Histogram.h"
#include "plots/KeptSamples.h"

namespace grafolux {

// The bars' colour.
constexpr Colour kHistogramBarColour = RGB(255, 0, 0);

struct HistogramChoice {
    int32_t bins = kDefaultHistogramBins;
    bool percent = false;  // bars in percent of the kept samples, else in samples
    bool operator==(const HistogramChoice&) const = default;
};

// Draws the histogram of the kept samples' first item, named `item`; none when no sample is
// kept (the view says so).
std::optional<Histogram> DrawHistogram(DrawingArea& area, const KeptSamples& kept,
                                       const std::string& item, const HistogramChoice& choice,
                                       std::span<const SampleCondition> conditions,
                                       const DisplayColors& colors);

}  // namespace grafolux
