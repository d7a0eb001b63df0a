#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "graph/CurvePlot.h"
#include "graph/GraphDrawing.h"
#include "support/DrawingTestKit.h"
#include "support/NaiveCurve.h"

namespace grafolux {
namespace {

// A random walk with a one-sample spike now and then; or, with `noise`, a new value anywhere
// at every sample (the steepest segments there are).
std::vector<double> Walk(int n, unsigned seed, bool noise) {
    std::mt19937 random(seed);
    std::vector<double> values;
    for (double v = 50; values.size() < size_t(n);) {
        const double step = random() % 2001 / 1000.0 - 1;
        v = noise ? 50 + 50 * step : v + step;
        values.push_back(random() % 500 ? v : v + (random() % 2 ? 40 : -40));
    }
    return values;
}

// The picture per pixel column must be that of one segment or quadrilateral per sample step;
// missing values (NaN) break the curve: only steps between two present values are drawn, a
// lone value a dot (or a line down to the axis in a band).
TEST(DrawCurve, SamePixelsAsOneSegmentPerStepBetweenPresentValues) {
    const struct {
        const char* what;
        int samples;
        double first, last, zoom;
        bool noise = false;
        bool (*missing)(int s) = [](int) { return false; };
    } cases[] = {
        {"dense", 20000, 1, 20000, 1},
        {"dense zoomed", 20000, 1, 20000, 3},
        {"noise", 3000, 1, 3000, 1, true},
        {"noise, one a column", 700, 1, 700, 2, true},
        {"sparse", 40, 1, 40, 2.5},
        {"part", 5000, 100, 3000, 1},
        {"not whole", 1000, 1.5, 999.5, 1},
        {"two samples", 10, 4, 5, 1},
        {"one sample", 10, 4, 4, 1},
        {"a gap now and then, dense", 20000, 1, 20000, 1, false, [](int s) { return s % 997 < 3; }},
        {"every other value: lone values", 300, 1, 300, 2, false, [](int s) { return s % 2 == 0; }},
        {"two of three, sparse", 40, 1, 40, 2.5, false, [](int s) { return s % 3 != 0; }},
        {"at both ends", 500, 1, 500, 1, false, [](int s) { return s < 20 || s > 480; }},
        {"runs of one to four, zoomed", 3000, 1, 3000, 3, false, [](int s) { return s % 7 == 0; }},
        {"part, not whole", 1000, 10.5, 900.5, 1, false, [](int s) { return s % 50 < 10; }},
        {"one present value", 50, 1, 50, 1, false, [](int s) { return s != 25; }},
        {"first present only", 50, 1, 50, 1, false, [](int s) { return s != 1; }},
        {"last present only", 50, 1, 50, 1, false, [](int s) { return s != 50; }},
    };
    for (const auto& c : cases) {
        const auto values = [&](unsigned seed) {
            std::vector<double> walk = Walk(c.samples, seed, c.noise);
            for (int s = 1; s <= c.samples; ++s)
                if (c.missing(s)) walk[size_t(s - 1)] = std::numeric_limits<double>::quiet_NaN();
            return walk;
        };
        const LogData log = test::MakeLog({{"A", values(1)},
                                           {"B", values(2), true, RGB(0, 160, 0)},
                                           {"C", values(3), true, 255, true}});
        DrawingArea fast, naive;
        for (DrawingArea* area : {&fast, &naive}) area->pbGraph.SetSize(6000, 4500);
        DrawGraph(fast, log, {1, c.first, c.last, c.zoom, 0}, {});
        DrawGraph(naive, log, {1, c.first, c.last, c.zoom, 0}, {}, DrawCurveNaive);
        EXPECT_EQ(fast.pbGraphContents.image(), naive.pbGraphContents.image()) << c.what;
    }
}

// A band drawn alone keeps its own stretch of the sample axis under each run of present values.
TEST(DrawCurve, ABandsAxisStretchesOnlyUnderItsRuns) {
    constexpr double M = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> values = {M, M, 10, 20, M, 5, 5, 5, M, M, 30, M};
    CurvePlot plot{{1, 12, 1, 12, 40 * kTwipsPerPixel}, values};
    plot.H = plot.vRange = 30 * kTwipsPerPixel;
    Surface fast, naive;
    for (Surface* s : {&fast, &naive}) {
        s->SetSize(12 * 40 * kTwipsPerPixel, 40 * kTwipsPerPixel);
        s->SetForeColor(RGB(0, 0, 255));
    }
    DrawCurve(fast, plot, true);
    DrawCurveNaive(naive, plot, true);
    EXPECT_EQ(fast.image(), naive.image());
    EXPECT_EQ(test::PixelAt(fast, 20, 30), RGB(0, 0, 0));  // under the missing first values
}

// Every rise and drop between columns one to three pixels apart, on a canvas 2000 pixels
// high: the painter's own rounding decides which column some of those pixels fall into.
TEST(DrawCurve, SegmentsBetweenColumnsSamePixelsAsThePainter) {
    constexpr int kRows = 2000;
    Surface fast, naive;
    for (Surface* s : {&fast, &naive}) {
        s->SetSize(4 * kTwipsPerPixel, kRows * kTwipsPerPixel);
        s->SetForeColor(RGB(255, 0, 0));
    }
    std::vector<double> values(2);
    CurvePlot plot{{1, 2, 1, 2}, values};
    plot.H = plot.vRange = (kRows - 1) * kTwipsPerPixel;  // value v is drawn at row H - v
    auto at = [&](int row) { return plot.H - row * kTwipsPerPixel; };
    for (const int across : {1, 2, 3})
        for (const int from : {0, 997, kRows - 1})
            for (int to = 0; to < kRows; ++to)
                for (const bool filled : {false, true}) {
                    values = {at(from), at(to)};
                    plot.dx = across * kTwipsPerPixel;
                    fast.Cls();
                    naive.Cls();
                    DrawCurve(fast, plot, filled);
                    DrawCurveNaive(naive, plot, filled);
                    ASSERT_EQ(fast.image(), naive.image())
                        << from << " to " << to << ", " << across << " across, " << filled;
                }
}

}  // namespace
}  // namespace grafolux
