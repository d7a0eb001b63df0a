#include <gtest/gtest.h>

#include <limits>

#include "graph/ZoomMath.h"

namespace grafolux {
namespace {

// A container of 5310 twips: 354 scroll units a page.
TEST(ScrollBarFor, FifteenTwipUnitsValueWithinZeroToMax) {
    const struct {
        double width, left, zoom;
        int16_t max, page, value;
    } cases[] = {
        {10620, -3000, 2, 354, 354, 200},
        {53100, -47790, 10, 3186, 354, 3186},
        {10620, -6000, 2, 354, 354, 354},
        {10620, 30, 2, 354, 354, 0},
        {5310, 0, 1, 0, 1, 0},                   // zoom 1: nothing to scroll, no page to divide by
        {9.9e6, -8e6, 10, 32767, 32767, 32767},  // beyond 16 bits: clamped, not failing
    };
    for (const auto& c : cases) {
        const ScrollBarSetup bar = ScrollBarFor(c.width, c.left, c.zoom);
        EXPECT_EQ(bar.max, c.max) << c.width << " at " << c.zoom;
        EXPECT_EQ(bar.largeChange, c.page) << c.width << " at " << c.zoom;
        EXPECT_EQ(bar.value, c.value) << c.left;
    }
    EXPECT_EQ(ScrollValueFor(-105, 354), 7);
    EXPECT_EQ(LeftForScrollValue(7), -105);
    EXPECT_EQ(ScrollPosFromLeft(-45, 2), -22);  // halves to even
}

TEST(ClampZoom, KeepsOneToTen) {
    const struct {
        double zoom, clamped;
    } cases[] = {{12, 10}, {10, 10}, {9.5, 9.5}, {1.5, 1.5},
                 {1, 1},   {0.5, 1}, {-3, 1},    {std::numeric_limits<double>::quiet_NaN(), 1}};
    for (const auto& c : cases) EXPECT_EQ(ClampZoom(c.zoom), c.clamped) << c.zoom;
}

TEST(DragLeft, FollowsTheMouseWithinTheContainerWithoutOverflow) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const struct {
        int32_t dragLeft, dragX, x;
        double container, contents;
        int32_t left;
    } cases[] = {
        {0, 100, 93, 5310, 10620, -105},      // 7 pixels to the left
        {0, 100, 130, 5310, 10620, 0},        // right at the left end: stays
        {-5000, 100, 0, 5310, 10620, -5310},  // stops where the right edges meet
        {0, kMin, kMax, 5310, 10620, 0},      // far moves do not overflow
        {0, kMax, kMin, 0, 1e12, kMin},       // nor a leftmost Left beyond a Long
    };
    for (const auto& c : cases)
        EXPECT_EQ(DragLeft(c.dragLeft, c.dragX, c.x, c.container, c.contents), c.left)
            << c.dragLeft << " from " << c.dragX << " to " << c.x;
}

// A frame of 100 pixels over a canvas of 400: columns already in view do not scroll.
TEST(LeftShowingColumn, LeastMoveThatShowsTheColumnWithinTheCanvas) {
    const struct {
        int column;
        double left;
        int32_t newLeft;
    } cases[] = {
        {0, 0, 0},           {99, 0, 0},          {100, 0, -15},      {250, -1500, -2265},
        {150, -1500, -1500}, {199, -1500, -1500}, {99, -1500, -1485}, {0, -1500, 0},
        {399, 0, -4500},     {450, 0, -4500},     {-20, -300, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeftShowingColumn(c.column, c.left, 1500, 6000), c.newLeft) << c.column;
    EXPECT_EQ(LeftShowingColumn(120, 0, 1500, 1500), 0);  // zoom 1: nothing to scroll
}

// A frame of 100 pixels over a canvas of 1000.
TEST(LeftCentringColumns, InTheMiddleOrFromTheLeftEdgeWithinTheCanvas) {
    const struct {
        const char* what;
        int first, last;
        double contentsWidth;
        int32_t left;
    } cases[] = {
        {"ten in the middle", 500, 509, 15000, (45 - 500) * 15},
        {"one in the middle", 500, 500, 15000, (49 - 500) * 15},
        {"near the start: the canvas' start", 10, 19, 15000, 0},
        {"near the end: the canvas' end", 995, 999, 15000, -900 * 15},
        {"wider than the frame: its first at the left edge", 200, 449, 15000, -200 * 15},
        {"as wide as the frame", 300, 399, 15000, -300 * 15},
        {"a canvas as wide as the frame", 40, 60, 1500, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeftCentringColumns(c.first, c.last, 1500, c.contentsWidth), c.left) << c.what;
}

}  // namespace
}  // namespace grafolux
