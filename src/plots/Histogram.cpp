#include "plots/Histogram.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "logdata/TextFields.h"

namespace grafolux {

namespace {

// min + i·w; where that passes the doubles, the same in halves.
double Edge(double min, double width, int32_t i) {
    const double edge = min + i * width;
    return std::isfinite(edge) ? edge : (min * 0.5 + i * (width * 0.5)) * 2;
}

// ⌊(v − min) / w⌋ clamped into the bins; in halves where v − min passes the doubles. Below 0
// is clamped first, so the conversion's truncation is the floor (and far cheaper than
// std::floor).
int32_t BinOf(double v, double min, double width, int32_t bins) {
    const double offset = v - min;
    const double position =
        std::isfinite(offset) ? offset / width : (v * 0.5 - min * 0.5) / (width * 0.5);
    if (!(position >= 0)) return 0;
    return position >= bins - 1 ? bins - 1 : static_cast<int32_t>(position);
}

// The values at the ranks asked (0-based, of the values in order), without sorting them all:
// counted into fine bins first, then only the bins holding those ranks are ordered.
std::vector<double> ValuesAtRanks(std::span<const double> values, double min, double max,
                                  std::span<const size_t> ranks) {
    if (min == max) return std::vector<double>(ranks.size(), min);
    // Any rule that keeps the values in order will do: a product, in halves, is quicker than
    // the bins' quotient.
    constexpr int32_t kFineBins = 4096;
    const double perHalf = kFineBins / (max * 0.5 - min * 0.5);
    const auto fineBin = [&](double v) {
        const double position = (v * 0.5 - min * 0.5) * perHalf;
        if (!(position >= 0)) return size_t{0};
        return position >= kFineBins - 1 ? size_t{kFineBins - 1} : static_cast<size_t>(position);
    };
    std::vector<size_t> below(kFineBins + 1);  // values in the bins before each
    for (const double v : values) ++below[fineBin(v) + 1];
    for (size_t b = 1; b < below.size(); ++b) below[b] += below[b - 1];
    const auto binOf = [&](size_t rank) {
        return static_cast<size_t>(std::upper_bound(below.begin(), below.end(), rank) -
                                   below.begin()) -
               1;
    };
    std::vector<std::vector<double>> held(kFineBins);
    std::vector<char> wanted(kFineBins);  // not vector<bool>: read once a value
    for (const size_t rank : ranks) wanted[binOf(rank)] = true;
    for (const double v : values)
        if (const size_t b = fineBin(v); wanted[b]) held[b].push_back(v);
    std::vector<double> found;
    for (const size_t rank : ranks) {
        const size_t b = binOf(rank);
        std::vector<double>& bin = held[b];
        const auto at = bin.begin() + static_cast<ptrdiff_t>(rank - below[b]);
        std::nth_element(bin.begin(), at, bin.end());
        found.push_back(*at);
    }
    return found;
}

struct ValueSpan {
    double min, max, sum;
};

// The smallest and largest value and the sum, kept in four lanes so that no step waits for the
// one before it.
ValueSpan SpanOf(std::span<const double> values) {
    constexpr size_t kLanes = 4;
    std::array<double, kLanes> low, high, sum{};
    low.fill(values[0]);
    high.fill(values[0]);
    size_t i = 0;
    for (; i + kLanes <= values.size(); i += kLanes)
        for (size_t lane = 0; lane < kLanes; ++lane) {
            low[lane] = std::min(low[lane], values[i + lane]);
            high[lane] = std::max(high[lane], values[i + lane]);
            sum[lane] += values[i + lane];
        }
    for (; i < values.size(); ++i) {
        low[0] = std::min(low[0], values[i]);
        high[0] = std::max(high[0], values[i]);
        sum[0] += values[i];
    }
    return {*std::min_element(low.begin(), low.end()), *std::max_element(high.begin(), high.end()),
            (sum[0] + sum[1]) + (sum[2] + sum[3])};
}

// The values at rank (n − 1) × part for each part, between the two nearest ranks.
std::vector<double> Percentiles(std::span<const double> values, double min, double max,
                                std::span<const double> parts) {
    std::vector<size_t> ranks;
    for (const double part : parts) {
        const double rank = (static_cast<double>(values.size()) - 1) * part;
        const auto low = static_cast<size_t>(std::floor(rank));
        ranks.insert(ranks.end(), {low, std::min(low + 1, values.size() - 1)});
    }
    const std::vector<double> at = ValuesAtRanks(values, min, max, ranks);
    std::vector<double> percentiles;
    for (size_t i = 0; i < parts.size(); ++i) {
        const double rank = (static_cast<double>(values.size()) - 1) * parts[i];
        const double fraction = rank - std::floor(rank), low = at[2 * i], high = at[2 * i + 1];
        const double value = low + (high - low) * fraction;
        percentiles.push_back(std::isfinite(value) ? value
                                                   : low * (1 - fraction) + high * fraction);
    }
    return percentiles;
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
    const auto [min, max, sum] = SpanOf(values);
    histogram.mean = sum / static_cast<double>(values.size());
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
    const double parts[] = {0.5, 0.05, 0.95};
    const std::vector<double> percentiles = Percentiles(values, min, max, parts);
    histogram.median = percentiles[0];
    histogram.p5 = percentiles[1];
    histogram.p95 = percentiles[2];
    return histogram;
}

std::string HistogramText(const Histogram& histogram) { return BinsText(histogram, '\t', "\n"); }

std::string HistogramCsv(const Histogram& histogram) { return BinsText(histogram, ',', "\r\n"); }

}  // namespace grafolux
