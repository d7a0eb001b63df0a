#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "plots/Histogram.h"

namespace grafolux {
namespace {

// The bins against a count of each value by ⌊(v − min) / w⌋ clamped to N − 1, with values on
// the bins' edges, and the printed edges.
TEST(Histogram, BinsMatchDirectCountAtEdges) {
    struct Case {
        std::vector<double> values;
        int32_t bins;
        std::string text;
    };
    const Case cases[] = {
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5, "0\t2\t2\n2\t4\t2\n4\t6\t2\n6\t8\t2\n8\t10\t3\n"},
        {{0.1, 0.2, 0.3, 0.4}, 3, ""},
        {{1.9, 6.2, 4}, 4, ""},  // min + 4·w passes max: the last bin still ends there
        {{-1e308, 1e308, 0, 5e307},
         4,
         "-1e+308\t-5e+307\t1\n-5e+307\t0\t0\n0\t5e+307\t1\n"
         "5e+307\t1e+308\t2\n"},
        {{7, 7, 7}, 20, "7\t7\t3\n"},
        {{3}, 1, "3\t3\t1\n"},
        {{1, 2}, 1, "1\t2\t2\n"},
    };
    for (const Case& c : cases) {
        const auto histogram = HistogramOf(c.values, c.bins);
        ASSERT_TRUE(histogram);
        if (!c.text.empty()) {
            EXPECT_EQ(HistogramText(*histogram), c.text);
        }
        const auto [low, high] = std::minmax_element(c.values.begin(), c.values.end());
        if (*low == *high) continue;
        ASSERT_EQ(histogram->bins.size(), static_cast<size_t>(c.bins));
        // The rule in doubles; where a difference passes them, in long doubles.
        const double width = (*high - *low) / c.bins;
        const long double wideWidth = (static_cast<long double>(*high) - *low) / c.bins;
        std::vector<int64_t> counts(static_cast<size_t>(c.bins));
        for (const double v : c.values) {
            const long double at =
                std::isfinite(width) && std::isfinite(v - *low)
                    ? std::floor((v - *low) / width)
                    : std::floor((v - static_cast<long double>(*low)) / wideWidth);
            ++counts[static_cast<size_t>(std::clamp<long double>(at, 0, c.bins - 1))];
        }
        for (size_t i = 0; i < counts.size(); ++i) EXPECT_EQ(histogram->bins[i].count, counts[i]);
        EXPECT_EQ(histogram->bins.back().high, *high);
        for (const HistogramBin& bin : histogram->bins) EXPECT_TRUE(std::isfinite(bin.high));
    }
    EXPECT_FALSE(HistogramOf({}, 20));
    const double values[] = {1, 2};
    EXPECT_EQ(HistogramCsv(*HistogramOf(values, 1)), "1,2,2\r\n");
}

// The mean and the percentiles between the two nearest ranks, against a sorted copy.
TEST(Histogram, PercentilesInterpolateBetweenRanks) {
    std::vector<double> values;
    for (int i = 0; i < 101; ++i) values.push_back((i * 37) % 101);  // 0 … 100 shuffled
    const auto spread = HistogramOf(values, 20);
    ASSERT_TRUE(spread);
    EXPECT_EQ(spread->mean, 50);
    EXPECT_EQ(spread->median, 50);
    EXPECT_EQ(spread->p5, 5);
    EXPECT_EQ(spread->p95, 95);
    const double four[] = {4, 1, 3, 2};
    const auto small = HistogramOf(four, 2);
    EXPECT_EQ(small->median, 2.5);
    EXPECT_DOUBLE_EQ(small->p5, 1.15);
    EXPECT_DOUBLE_EQ(small->p95, 3.85);
    const double huge[] = {-1e308, 1e308};
    EXPECT_EQ(HistogramOf(huge, 2)->median, 0);
    // Crowded together but for one far value, and repeated: against a sorted copy.
    for (const double far : {1e9, 1.0}) {
        std::vector<double> crowded;
        for (int i = 0; i < 1000; ++i) crowded.push_back((i * 7919) % 1000 / 1000.0);
        crowded.push_back(far);
        std::vector<double> sorted = crowded;
        std::sort(sorted.begin(), sorted.end());
        const auto at = [&](double part) {
            const double rank = 1000 * part;
            const size_t low = static_cast<size_t>(rank);
            return sorted[low] +
                   (sorted[low + 1] - sorted[low]) * (rank - static_cast<double>(low));
        };
        const auto crowd = HistogramOf(crowded, 3);
        EXPECT_DOUBLE_EQ(crowd->median, at(0.5)) << far;
        EXPECT_DOUBLE_EQ(crowd->p5, at(0.05)) << far;
        EXPECT_DOUBLE_EQ(crowd->p95, at(0.95)) << far;
    }
}

}  // namespace
}  // namespace grafolux
