#include "plots/PointGrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace grafolux {

namespace {

// Points go through in pieces whose pixels are worked out first, so that the pixels' counts,
// spread over megabytes, can be fetched ahead of their turn: a plot of random points would
// otherwise wait on memory at every point.
constexpr size_t kPointPiece = 4096;
constexpr size_t kFetchAhead = 16;

}  // namespace

PointGrid::PointGrid(const PlotAxis& x, const PlotAxis& y)
    : x_(x), y_(y), counts_(static_cast<size_t>(x.pixels) * static_cast<size_t>(y.pixels)) {}

void PointGrid::Add(std::span<const double> xs, std::span<const double> ys,
                    std::span<const double> colours) {
    hasColours_ = hasColours_ || !colours.empty();
    if (counts_.empty()) return;
    if (hasColours_ && sums_.empty()) {
        sums_ = ZeroedArray<double>(counts_.size());
        summed_ = ZeroedArray<uint32_t>(counts_.size());
    }
    std::array<uint32_t, kPointPiece> at;
    for (size_t from = 0; from < xs.size(); from += kPointPiece) {
        const size_t n = std::min(kPointPiece, xs.size() - from);
        for (size_t i = 0; i < n; ++i)
            at[i] = static_cast<uint32_t>(Index(ColumnOf(xs[from + i]), RowOf(ys[from + i])));
        AddAt({at.data(), n}, colours.empty() ? nullptr : colours.data() + from);
    }
}

void PointGrid::AddAt(std::span<const uint32_t> at, const double* colours) {
    uint32_t highest = highestCount_;
    for (size_t i = 0; i < at.size(); ++i) {
        if (i + kFetchAhead < at.size()) {
            __builtin_prefetch(&counts_[at[i + kFetchAhead]], 1);
            if (colours) {
                __builtin_prefetch(&sums_[at[i + kFetchAhead]], 1);
                __builtin_prefetch(&summed_[at[i + kFetchAhead]], 1);
            }
        }
        highest = std::max(highest, ++counts_[at[i]]);
        if (colours && !std::isnan(colours[i])) {
            sums_[at[i]] += colours[i];
            ++summed_[at[i]];
        }
    }
    highestCount_ = highest;
}

std::optional<std::pair<double, double>> PointGrid::MeanRange() const {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (size_t at = 0; at < summed_.size(); ++at)
        if (summed_[at] > 0) {
            const double mean = sums_[at] / summed_[at];
            low = std::min(low, mean);
            high = std::max(high, mean);
        }
    if (low > high) return std::nullopt;
    return std::pair(low, high);
}

}  // namespace grafolux
