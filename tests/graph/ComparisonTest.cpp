#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "graph/Comparison.h"

namespace grafolux {
namespace {

// A log A of 100 samples, B of 40: B's last sample may reach back to A's first (offset -39),
// B's first forward to A's last (offset 99).
TEST(ComparisonOffset, KeptWhereBStillTouchesA) {
    struct Case {
        const char* name;
        int64_t asked;
        int32_t offset;
    } clamps[] = {
        {"B's last at A's first", -39, -39},
        {"one further left", -40, -39},
        {"B's first at A's last", 99, 99},
        {"nothing in common", 100000000000, 99},
        {"in between", 12, 12},
    };
    for (const Case& c : clamps) EXPECT_EQ(ClampOffset(c.asked, 100, 40), c.offset) << c.name;
    EXPECT_EQ(ClampOffset(5, 0, 40), 0) << "A without samples";
    EXPECT_EQ(ClampOffset(5, 100, 0), 0) << "B without samples";

    struct Align {
        const char* name;
        int32_t sampleA, sampleB, offset;
    } aligns[] = {
        {"B's sample 10 at A's 25", 25, 10, 15},
        {"B's sample 30 at A's 5", 5, 30, -25},
        {"B's last at A's first", 1, 40, -39},
        {"B's first at A's last", 100, 1, 99},
    };
    for (const Align& a : aligns)
        EXPECT_EQ(OffsetAligning(a.sampleA, a.sampleB, 100, 40), a.offset) << a.name;
}

TEST(ComparisonOffset, DragMovesBWithTheMouseToTheNearestSample) {
    struct Case {
        const char* name;
        int32_t start;
        double pixels, twipsPerSample;
        int32_t offset;
    } cases[] = {
        {"one sample a pixel, right", 0, 3, 15, 3},
        {"one sample a pixel, left", 5, -7, 15, -2},
        {"ten samples a pixel", 0, 2, 1.5, 20},
        {"half a sample rounds to even", 0, 1, 30, 0},
        {"one and a half rounds to even", 0, 3, 30, 2},
        {"past A's last", 90, 50, 15, 99},
        {"past B's last", 0, -1e12, 15, -39},
        {"no width", 7, 4, 0, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DraggedOffset(c.start, c.pixels, c.twipsPerSample, 100, 40), c.offset) << c.name;
}

TEST(NearestValueSample, FirstOfTheNearestPresentValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> values = {5, nan, 7.5, 9, 7.5, 2};
    struct Case {
        const char* name;
        double value;
        int32_t sample;
    } cases[] = {
        {"exact", 9, 4},
        {"first of equals", 7.5, 3},
        {"between, nearer", 8.6, 4},
        {"below all", -10, 6},
        {"above all", 100, 4},
        {"missing value", nan, 0},
        {"a tie of distances", 6.25, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(NearestValueSample(values, c.value), c.sample) << c.name;
    EXPECT_EQ(NearestValueSample(std::vector<double>{nan, nan}, 1), 0) << "no value present";
}

TEST(VerticesOnSamples, OnlyTheVerticesOverBsSamples) {
    struct Case {
        const char* name;
        double first;
        int64_t lastVertex, low, high, from, to;
    } cases[] = {
        {"all of B", 1, 99, 1, 100, 0, 99},
        {"B starts later", -9, 99, 1, 100, 10, 99},
        {"B ends earlier", 1, 99, 1, 40, 0, 39},
        {"both ends", -9, 99, 1, 40, 10, 49},
        {"nothing before", -200, 99, 1, 40, 100, 99},
        {"nothing after", 50, 99, 1, 40, 0, -1},
        {"a fraction rounds to even", 0.5, 9, 1, 5, 1, 4},
        {"a fraction rounds up", 1.5, 9, 1, 5, 0, 3},
    };
    for (const Case& c : cases) {
        const auto [from, to] = VerticesOnSamples(c.first, c.lastVertex, c.low, c.high);
        EXPECT_EQ(from, c.from) << c.name;
        EXPECT_EQ(to, c.to) << c.name;
    }
}

}  // namespace
}  // namespace grafolux
