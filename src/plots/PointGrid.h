#pragma once
// Samples binned by pixel: how many land on each pixel of a scatter plot and, with a colour
// item, the mean of that item over them.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "plots/LargePages.h"
#include "plots/PlotAxis.h"

namespace grafolux {

class PointGrid {
public:
    PointGrid(const PlotAxis& x, const PlotAxis& y);

    // Bins the points (xs[i], ys[i]); with `colours` (as many, or none), their colour values,
    // a missing one (NaN) left out of its pixel's mean.
    void Add(std::span<const double> xs, std::span<const double> ys,
             std::span<const double> colours = {});

    int32_t width() const { return x_.pixels; }
    int32_t height() const { return y_.pixels; }
    const PlotAxis& xAxis() const { return x_; }
    const PlotAxis& yAxis() const { return y_; }
    // Column and row (0 at the top) of a point.
    int32_t ColumnOf(double x) const { return x_.PixelOf(x); }
    int32_t RowOf(double y) const { return y_.RowOf(y); }

    uint32_t CountAt(int32_t column, int32_t row) const { return counts_[Index(column, row)]; }
    std::optional<double> MeanAt(int32_t column, int32_t row) const {
        if (sums_.empty()) return std::nullopt;
        const size_t at = Index(column, row);
        if (summed_[at] == 0) return std::nullopt;
        return sums_[at] / summed_[at];
    }
    uint32_t highestCount() const { return highestCount_; }
    // Colour values were given.
    bool hasColours() const { return hasColours_; }
    // The lowest and highest pixel mean; none without a colour value.
    std::optional<std::pair<double, double>> MeanRange() const;

private:
    size_t Index(int32_t column, int32_t row) const {
        return static_cast<size_t>(row) * static_cast<size_t>(x_.pixels) +
               static_cast<size_t>(column);
    }
    // Adds the points whose pixels are `at` (their colour values, or none).
    void AddAt(std::span<const uint32_t> at, const double* colours);

    PlotAxis x_, y_;
    ZeroedArray<uint32_t> counts_;
    // With a colour item, per pixel the sum of its values and how many were summed.
    ZeroedArray<double> sums_;
    ZeroedArray<uint32_t> summed_;
    uint32_t highestCount_ = 0;
    bool hasColours_ = false;
};

}  // namespace grafolux
