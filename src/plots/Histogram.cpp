#include "plots/Histogram.h"

#include <algorithm>
#include <cmath>

#include "logdata/TextFields.h"
#include "plots/ValueSum.h"

namespace grafolux {

namespace {

// min + i·w; where that passes the doubles, the same in halves.
double Edge(double min, double width, int32_t i) {
    const double edge = min + i * width;
    return std::isfinite(edge) ? edge : (min * 0.5 + i * (width * 0.5)) * 2;
}

// ⌊(v − min) / w⌋ clamped into the bins; in halves where v − min passes the doubles.
int32_t BinOf(double v, double min, double width, int32_t bins) {
    const double offset = v - min;
    const double position =
        std::floor(std::isfinite(offset) ? offset / width : (v * 0.5 - min * 0.5) / (width * 0.5));
    return position >= bins - 1 ? bins - 1 : static_cast<int32_t>(std::max(position, 0.0));
}

// The value at rank (n − 1) × fraction of the values, between the two nearest ranks.
// Reorders `values`.
double Percentile(std::vector<double>& values, double part) {
    const double rank = (static_cast<double>(values.size()) - 1) * part;
    const size_t below = static_cast<size_t>(std::floor(rank));
    std::nth_element(values.begin(), values.begin() + static_cast<ptrdiff_t>(below), values.end());
    const double low = values[below];
    if (below + 1 >= values.size() || rank == static_cast<double>(below)) return low;
    const double high =
        *std::min_element(values.begin() + static_cast<ptrdiff_t>(below) + 1, values.end());
    const double fraction = rank - static_cast<double>(below);
    const double value = low + (high - low) * fraction;
    return std::isfinite(value) ? value : low * (1 - fraction) + high * fraction;
}

std::string BinsText(const Histogram& histogram, char separator, const char* lineEnd) {
    std::string text;
    for (const HistogramBin& bin : histogram.bins) {
        AppendShortestText(text, bin.low) += separator;
        AppendShortestText(text, bin.high) += separator;
        text.append(std::to_string(bin.count)).append(lineEnd);
    }
    return text;
}

}  // namespace

std::optional<Histogram> HistogramOf(std::span<const double> values, int32_t bins) {
    if (values.empty()) return std::nullopt;
    Histogram histogram;
    histogram.count = static_cast<int64_t>(values.size());
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double min = *lowest, max = *highest;
    ValueSum sum;
    for (const double v : values) sum.Add(v);
    histogram.mean = *sum.Mean();
    if (min == max) {
        histogram.bins = {{min, max, histogram.count}};
    } else {
        bins = std::max(bins, 1);
        double width = (max - min) / bins;
        if (!std::isfinite(width)) width = max / bins - min / bins;
        histogram.bins.resize(static_cast<size_t>(bins));
        for (int32_t i = 0; i < bins; ++i)
            histogram.bins[static_cast<size_t>(i)] = {
                Edge(min, width, i), i == bins - 1 ? max : Edge(min, width, i + 1), 0};
        for (const double v : values)
            ++histogram.bins[static_cast<size_t>(BinOf(v, min, width, bins))].count;
    }
    std::vector<double> sorted(values.begin(), values.end());
    histogram.median = Percentile(sorted, 0.5);
    histogram.p5 = Percentile(sorted, 0.05);
    histogram.p95 = Percentile(sorted, 0.95);
    return histogram;
}

std::string HistogramText(const Histogram& histogram) { return BinsText(histogram, '\t', "\n"); }

std::string HistogramCsv(const Histogram& histogram) { return BinsText(histogram, ',', "\r\n"); }

}  // namespace grafolux
