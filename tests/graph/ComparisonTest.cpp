#include <gtest/gtest.h>

#include <limits>
#include <tuple>
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
        int32_t countA, offset;
    } cases[] = {
        {"B's last at A's first", -39, 100, -39}, {"one further left", -40, 100, -39},
        {"B's first at A's last", 99, 100, 99},   {"far beyond", 100000000000, 100, 99},
        {"A without samples", 5, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ClampOffset(c.asked, c.countA, 40), c.offset) << c.name;
    EXPECT_EQ(OffsetAligning(25, 10, 100, 40), 15) << "B's sample 10 at A's 25";
    EXPECT_EQ(OffsetAligning(1, 40, 100, 40), -39) << "B's last at A's first";
    EXPECT_EQ(OffsetAligning(100, 1, 100, 40), 99) << "B's first at A's last";
}

TEST(ComparisonOffset, DragMovesBWithTheMouseToTheNearestSample) {
    struct Case {
        const char* name;
        int32_t start;
        double pixels, twipsPerSample;
        int32_t offset;
    } cases[] = {
        {"a sample a pixel, right", 0, 3, 15, 3},
        {"a sample a pixel, left", 5, -7, 15, -2},
        {"ten samples a pixel", 0, 2, 1.5, 20},
        {"half a sample rounds to even", 0, 1, 30, 0},
        {"past A's last", 90, 50, 15, 99},
        {"past B's last", 0, -1e12, 15, -39},
        {"no width", 7, 4, 0, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DraggedOffset(c.start, c.pixels, c.twipsPerSample, 100, 40), c.offset) << c.name;
}

TEST(NearestValueSample, NearestPresentValueThenNearestInTime) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> values = {5, nan, 7.5, 9, 7.5, 2, 7.5};
    // {value, the sample to be near, the sample offered}
    const std::tuple<double, int64_t, int32_t> cases[] = {
        {9, 1, 4},   {8.6, 7, 4}, {-10, 1, 6},    {nan, 1, 0}, {7.5, 1, 3},
        {7.5, 6, 5}, {7.5, 4, 3}, {7.5, 1000, 7}, {7.5, -5, 3}};
    for (const auto& [value, near, sample] : cases)
        EXPECT_EQ(NearestValueSample(values, value, near), sample) << value << " near " << near;
}

TEST(VerticesOnSamples, OnlyTheVerticesOverBsSamples) {
    struct Case {
        const char* name;
        double first;
        int64_t high, from, to;
    } cases[] = {
        {"all of B", 1, 100, 0, 99},           {"B starts later", -9, 100, 10, 99},
        {"B ends earlier", 1, 40, 0, 39},      {"nothing after", 50, 40, 0, -1},
        {"nothing before", -200, 40, 100, 99}, {"halves round to even", 0.5, 5, 1, 4},
    };
    for (const Case& c : cases) {
        const auto [from, to] = VerticesOnSamples(c.first, 99, 1, c.high);
        EXPECT_EQ(from, c.from) << c.name;
        EXPECT_EQ(to, c.to) << c.name;
    }
}

}  // namespace
}  // namespace grafolux
