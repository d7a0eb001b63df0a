#include "plots/PointGrid.h"

#include <algorithm>
#include <cmath>

namespace grafolux {

PointGrid::PointGrid(const PlotAxis& x, const PlotAxis& y)
    : x_(x), y_(y), counts_(static_cast<size_t>(x.pixels) * static_cast<size_t>(y.pixels)) {}

void PointGrid::Add(std::span<const double> xs, std::span<const double> ys,
                    std::span<const double> colours) {
    hasColours_ = hasColours_ || !colours.empty();
    if (counts_.empty()) return;
    if (hasColours_ && sums_.empty()) sums_.resize(counts_.size());
    for (size_t i = 0; i < xs.size(); ++i) {
        const size_t at = Index(ColumnOf(xs[i]), RowOf(ys[i]));
        highestCount_ = std::max(highestCount_, ++counts_[at]);
        if (!colours.empty() && !std::isnan(colours[i])) sums_[at].Add(colours[i]);
    }
}

std::optional<double> PointGrid::MeanAt(int32_t column, int32_t row) const {
    if (sums_.empty()) return std::nullopt;
    return sums_[Index(column, row)].Mean();
}

std::optional<std::pair<double, double>> PointGrid::MeanRange() const {
    std::optional<std::pair<double, double>> range;
    for (const ValueSum& sum : sums_)
        if (const auto mean = sum.Mean())
            range = range ? std::pair(std::min(range->first, *mean), std::max(range->second, *mean))
                          : std::pair(*mean, *mean);
    return range;
}

}  // namespace grafolux
