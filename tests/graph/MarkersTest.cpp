#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/Markers.h"

namespace grafolux {
namespace {

TEST(Difference, ReadsAsTheLoggedNumbersDo) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double a, b, difference;
    } cases[] =
        {
            {12.6, 12.7, 0.1},  // 0.0999999999999996 unrounded
            {0.1, 0.3, 0.2},    // 0.19999999999999998 unrounded
            {3, 3.14159, 0.14159},  {0.25, -1, -1.25},        {128, 120, -8},
            {100, 100, 0},          {1e-300, 3e-300, 2e-300}, {1e300, -1e300, -2e300},
            {5e-324, 1e200, 1e200},  // more decimals than the text can hold: left as it is
            {kInf, 1, -kInf},
        };
    for (const auto& c : cases) EXPECT_EQ(Difference(c.a, c.b), c.difference) << c.a << " " << c.b;
    EXPECT_TRUE(std::isnan(Difference(1, std::nan(""))));
}

TEST(Markers, RangeChangeDropsTheMarkersItLeavesOutside) {
    const struct {
        std::optional<int32_t> a, b;
        int32_t first, last;
        std::optional<int32_t> keptA, keptB;
    } cases[] = {
        {10, 20, 1, 100, 10, 20},
        {10, 20, 15, 100, std::nullopt, 20},
        {10, 20, 1, 19, 10, std::nullopt},
        {10, 20, 10, 20, 10, 20},  // the ends are within
        {10, std::nullopt, 11, 12, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        Markers markers{c.a, c.b};
        markers.KeepWithin(c.first, c.last);
        EXPECT_EQ(markers.a, c.keptA) << c.first << ".." << c.last;
        EXPECT_EQ(markers.b, c.keptB) << c.first << ".." << c.last;
    }
}

TEST(Markers, SpanRunsFromTheLowerMarkerWhenTwoDifferentAreSet) {
    using Span = std::optional<std::pair<int32_t, int32_t>>;
    EXPECT_EQ((Markers{5, 9}.Span()), (Span{{5, 9}}));
    EXPECT_EQ((Markers{9, 5}.Span()), (Span{{5, 9}}));
    EXPECT_EQ((Markers{7, 7}.Span()), Span{});
    EXPECT_EQ((Markers{7, std::nullopt}.Span()), Span{});
    EXPECT_EQ((Markers{std::nullopt, 7}.Span()), Span{});
}

}  // namespace
}  // namespace grafolux
