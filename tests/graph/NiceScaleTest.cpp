#include <gtest/gtest.h>

#include <limits>

#include "graph/NiceScale.h"

namespace grafolux {
namespace {

TEST(NiceScale, FirstFittingStepExactlyInBinary64) {
    const double cases[][7] = {
        // low, high, most steps -> step, scale low, scale high, steps
        {0, 100, 15, 10, 0, 100, 10},
        {800, 6400, 15, 400, 800, 6400, 14},
        {-3, 7, 15, 1, -3, 7, 10},
        {0, 1, 15, 0.1, 0, 1, 10},
        {1, 5, 10, 0.5, 1, 5, 8},
        {1, 100, 10, 10, 0, 100, 10},
        {1, 100, 20, 5, 0, 100, 20},
        {1, 5000, 10, 500, 0, 5000, 10},
        {4, 6, 15, 0.25, 4, 6, 8},
        {12.5, 13.7, 15, 0.1, 12.5, 137 * 0.1, 12},  // 13.7 / 0.1 is just below 137
        {0, 15000, 15, 1000, 0, 15000, 15},          // the table's largest step, just enough
        // Beyond the table: its top decade again, ten times larger each round.
        {1, 12001, 10, 1250, 0, 12500, 10},
        {0, 15001, 15, 1250, 0, 16250, 13},
        {0, 99999.99, 15, 7000, 0, 105000, 15},
        {1, 100000, 10, 10000, 0, 100000, 10},
        {0, 200000, 15, 15000, 0, 210000, 14},
    };
    for (const auto& c : cases) {
        double scaleLow = -1, scaleHigh = -1;
        int32_t steps = -1;
        EXPECT_EQ(NiceScale(c[0], c[1], c[2], scaleLow, scaleHigh, steps), c[3])
            << c[0] << " " << c[1];
        EXPECT_EQ(scaleLow, c[4]) << c[0] << " .. " << c[1];
        EXPECT_EQ(scaleHigh, c[5]) << c[0] << " .. " << c[1];
        EXPECT_EQ(steps, c[6]) << c[0] << " .. " << c[1];
    }
}

TEST(NiceScale, NothingFiniteFitsGivesZeroAndLeavesStepsAlone) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [low, high] : {std::pair{-1e308, 1e308}, {0.0, nan}}) {
        double scaleLow = 0, scaleHigh = 0;
        int32_t steps = 42;
        EXPECT_EQ(NiceScale(low, high, 15, scaleLow, scaleHigh, steps), 0) << high;
        EXPECT_EQ(steps, 42);
    }
}

TEST(FloatMod, RemainderOfFlooredDivision) {
    const double cases[][3] = {{7, 2, 1}, {-1, 2, 1}, {4.5, 0.5, 0}, {-7, 2, 1}};
    for (const auto& c : cases) EXPECT_EQ(FloatMod(c[0], c[1]), c[2]) << c[0] << " mod " << c[1];
}

}  // namespace
}  // namespace grafolux
