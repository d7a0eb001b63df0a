#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/NiceScale.h"

namespace grafolux {
namespace {

struct ScaleCase {
    double low, high, mostSteps;
    double step, scaleLow, scaleHigh;
    int32_t steps;
};

void ExpectScales(std::initializer_list<ScaleCase> cases) {
    for (const ScaleCase& c : cases) {
        double scaleLow = -1, scaleHigh = -1;
        int32_t steps = -1;
        // Exact comparisons: the choice depends on binary64 quotients to the last bit.
        EXPECT_EQ(NiceScale(c.low, c.high, c.mostSteps, scaleLow, scaleHigh, steps), c.step)
            << c.low << " .. " << c.high << " in " << c.mostSteps;
        EXPECT_EQ(scaleLow, c.scaleLow) << c.low << " .. " << c.high;
        EXPECT_EQ(scaleHigh, c.scaleHigh) << c.low << " .. " << c.high;
        EXPECT_EQ(steps, c.steps) << c.low << " .. " << c.high;
    }
}

TEST(NiceScale, ChoosesFirstTableStepThatFits) {
    ExpectScales({
        {0, 100, 15, 10, 0, 100, 10},
        {800, 6400, 15, 400, 800, 6400, 14},
        {-3, 7, 15, 1, -3, 7, 10},
        {0, 1, 15, 0.1, 0, 1, 10},
        {1, 5, 10, 0.5, 1, 5, 8},
        {1, 100, 10, 10, 0, 100, 10},
        {1, 100, 20, 5, 0, 100, 20},
        {1, 5000, 10, 500, 0, 5000, 10},
        {4, 6, 15, 0.25, 4, 6, 8},
        {0, 15000, 15, 1000, 0, 15000, 15},  // the table's last step, just enough
    });
}

TEST(NiceScale, QuotientJustBelowWholeRoundsHighEndUp) {
    // 13.7 / 0.1 is 136.99999999999997 in binary64, so the scale ends at 137 * 0.1.
    ExpectScales({{12.5, 13.7, 15, 0.1, 12.5, 137 * 0.1, 12}});
}

TEST(NiceScale, ContinuesADecadeHigherWhereTheTableEnds) {
    ExpectScales({
        {1, 12001, 10, 1250, 0, 12500, 10},
        {0, 15001, 15, 1250, 0, 16250, 13},
        {0, 99999.99, 15, 7000, 0, 105000, 15},
        {1, 100000, 10, 10000, 0, 100000, 10},  // a 100,000-sample log at zoom 1
        {0, 200000, 15, 15000, 0, 210000, 14},  // second decade up
        {1, 1000000, 10, 100000, 0, 1000000, 10},
    });
}

TEST(NiceScale, NothingFiniteFitsGivesZeroAndLeavesStepsAlone) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double cases[][2] = {
        {-1e308, 1e308}, {0, nan}, {0, std::numeric_limits<double>::infinity()}};
    for (const auto& c : cases) {
        double scaleLow = 0, scaleHigh = 0;
        int32_t steps = 42;
        EXPECT_EQ(NiceScale(c[0], c[1], 15, scaleLow, scaleHigh, steps), 0)
            << c[0] << " .. " << c[1];
        EXPECT_EQ(steps, 42);
    }
}

TEST(FloatMod, RemainderOfFlooredDivision) {
    const double cases[][3] = {{7, 2, 1}, {-1, 2, 1}, {4.5, 0.5, 0}, {1, 20, 1}, {-7, 2, 1}};
    for (const auto& c : cases) EXPECT_EQ(FloatMod(c[0], c[1]), c[2]) << c[0] << " mod " << c[1];
}

}  // namespace
}  // namespace grafolux
