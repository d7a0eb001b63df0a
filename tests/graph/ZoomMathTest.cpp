#include <gtest/gtest.h>

#include <limits>

#include "graph/ZoomMath.h"

namespace grafolux {
namespace {

TEST(ClampZoom, KeepsOneToTen) {
    const double cases[][2] = {{0.5, 1},
                               {1, 1},
                               {1.5, 1.5},
                               {9.5, 9.5},
                               {10, 10},
                               {12, 10},
                               {std::numeric_limits<double>::quiet_NaN(), 1}};
    for (const auto& c : cases) EXPECT_EQ(ClampZoom(c[0]), c[1]) << c[0];
}

TEST(ScrollPosFromLeft, DividesByZoomRoundingHalvesToEven) {
    const double cases[][3] = {
        {-3000, 2.0, -1500}, {0, 1.0, 0}, {-45, 2.0, -22}, {-75, 2.0, -38}, {-3750, 2.5, -1500}};
    for (const auto& c : cases) EXPECT_EQ(ScrollPosFromLeft(c[0], c[1]), c[2]) << c[0];
}

TEST(ScrollBarFor, PageAndRangeInFifteenTwipUnits) {
    struct Case {
        double width, left, zoom;
        int16_t max, largeChange, value;
    };
    const Case cases[] = {
        {10620, -3000, 2.0, 354, 354, 200},  // a container of 5310 twips at zoom 2
        {10620, 0, 2.0, 354, 354, 0},
        {53100, -47790, 10.0, 3186, 354, 3186},    // right end
        {10620, -6000, 2.0, 354, 354, 354},        // a Left beyond the end keeps Value at Max
        {5310, 0, 1.0, 0, 1, 0},                   // zoom 1: nothing to scroll, no page
        {9.9e6, -8e6, 10.0, 32767, 32767, 32767},  // wider than 16 bits: clamped, not failing
    };
    for (const Case& c : cases) {
        const ScrollBarSetup bar = ScrollBarFor(c.width, c.left, c.zoom);
        EXPECT_EQ(bar.max, c.max) << c.width << " at " << c.zoom;
        EXPECT_EQ(bar.largeChange, c.largeChange) << c.width << " at " << c.zoom;
        EXPECT_EQ(bar.value, c.value) << c.width << " at " << c.zoom;
    }
}

TEST(ScrollValueFor, KeptWithinZeroToMax) {
    const double cases[][3] = {
        {-105, 354, 7}, {-112.5, 354, 8}, {-97.5, 354, 6}, {30, 354, 0}, {-9000, 354, 354}};
    for (const auto& c : cases)
        EXPECT_EQ(ScrollValueFor(c[0], static_cast<int16_t>(c[1])), c[2]) << c[0];
    EXPECT_EQ(LeftForScrollValue(7), -105);
    EXPECT_EQ(LeftForScrollValue(32767), -491505);
}

TEST(DragLeft, FollowsTheMouseWithinTheContainer) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    struct Case {
        int32_t dragLeft, dragX, x;
        double container, contents;
        int32_t left;
    };
    const Case cases[] = {
        {0, 100, 93, 5310, 10620, -105},  // 7 pixels to the left
        {0, 100, 130, 5310, 10620, 0},    // right at the left end: stays
        {-300, 100, 110, 5310, 10620, -150},
        {-5000, 100, 0, 5310, 10620, -5310},  // stops where the right edges meet
        {-5000, 100, 0, 5310, 5310, 0},       // zoom 1: nothing to drag
        {0, kMin, kMax, 5310, 10620, 0},      // far moves do not overflow
        {0, kMax, kMin, 5310, 10620, -5310},
        {0, kMax, kMin, 0, 1e12, kMin},  // a leftmost Left beyond Long is clamped
    };
    for (const Case& c : cases)
        EXPECT_EQ(DragLeft(c.dragLeft, c.dragX, c.x, c.container, c.contents), c.left)
            << c.dragLeft << " from " << c.dragX << " to " << c.x;
}

}  // namespace
}  // namespace grafolux
