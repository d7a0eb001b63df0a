#include <gtest/gtest.h>

#include "graph/GraphDrawing.h"
#include "support/DrawingTestKit.h"

namespace grafolux {
namespace {

using test::MakeLog;
using test::PixelAt;
using test::Samples;

// pbGraph of 6000 x 6000 twips: canvas 5310 twips wide, the axis on row 372. A's item lies
// flat on the axis, B's along the top of the same scale, so that B's dashes stand alone.
TEST(ComparisonDrawing, BDashedOverTheSamplesItCovers) {
    constexpr double kCW = 5310;
    const LogData a = MakeLog({{"X", Samples(101, [](int) { return 0.0; })}});
    const LogData b = MakeLog({{"X", Samples(51, [](int) { return 10.0; })}});
    struct Case {
        const char* name;
        int32_t offset;
        int firstVertex, lastVertex;  // of A's range, where B is drawn
    } cases[] = {
        {"in the middle", 30, 30, 80},
        {"cut at A's start", -30, 0, 20},
        {"cut at A's end", 90, 90, 100},
    };
    for (const Case& c : cases) {
        DrawingArea area;
        area.pbGraph.SetSize(6000, 6000);
        area.pbLegend.SetSize(3000, 6000);
        DrawGraph(area, a, {1, 1, 101, 1, 0, GraphComparison{&b, c.offset, "a", "b"}}, {});
        const Surface& canvas = area.pbGraphContents;
        const int from = TwipsToPixels(c.firstVertex * kCW / 100);
        const int to = TwipsToPixels(c.lastVertex * kCW / 100);
        for (int x = 0; x < canvas.image().width(); ++x) {
            bool red = false;
            for (int y = 0; y < 360; ++y) red = red || PixelAt(canvas, x, y) == RGB(255, 0, 0);
            EXPECT_EQ(red, x >= from && x <= to && DashColumnOn(x, kComparisonDash))
                << c.name << ", column " << x;
        }
    }
}

}  // namespace
}  // namespace grafolux
