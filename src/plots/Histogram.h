#pragma once
// How one item's kept values are spread: equal-width bins from the smallest to the largest,
// and the mean, median and 5th and 95th percentiles.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace grafolux {

constexpr int32_t kDefaultHistogramBins = 20;
constexpr int32_t kMostHistogramBins = 1000000;

struct HistogramBin {
    double low, high;
    int64_t count;
    bool operator==(const HistogramBin&) const = default;
};

struct Histogram {
    // With min and max the smallest and largest value and w = (max − min) / N, bin i covers
    // [min + i·w, min + (i+1)·w), the last one up to max; a value goes to bin ⌊(v − min) / w⌋,
    // clamped to N − 1. When all values are equal there is one bin, low = high = the value.
    std::vector<HistogramBin> bins;
    int64_t count = 0;
    double mean = 0;
    // Between the two nearest ranks: the value at rank (count − 1) × fraction, 0-based.
    double median = 0, p5 = 0, p95 = 0;
};

// The histogram of `values` (none missing) in `bins` bins (1 or more); none without a value.
std::optional<Histogram> HistogramOf(std::span<const double> values, int32_t bins);

// One line per bin, LOW<TAB>HIGH<TAB>COUNT (each number its shortest round-trip text); as CSV
// records (commas, CR LF).
std::string HistogramText(const Histogram& histogram);
std::string HistogramCsv(const Histogram& histogram);

}  // namespace grafolux
