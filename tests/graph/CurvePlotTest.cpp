#include <gtest/gtest.h>

#include <random>

#include "NaiveCurve.h"
#include "TestLog.h"
#include "graph/CurvePlot.h"
#include "graph/GraphView.h"

namespace grafolux {
namespace {

using test::MakeLog;

// Random walk with an occasional one-sample spike up or down; or, with `noise`, a new value
// anywhere in the range at every sample (the steepest segments there are).
std::vector<double> Walk(int n, unsigned seed, bool noise) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> step(-1, 1);
    std::vector<double> values;
    double v = 50;
    for (int s = 0; s < n; ++s) {
        v = noise ? 50 + 50 * step(random) : v + step(random);
        values.push_back(random() % 500 == 0 ? v + (random() % 2 ? 40 : -40) : v);
    }
    return values;
}

// The column-wise drawing must give exactly the picture of one segment or quadrilateral
// per sample, whatever the density of samples per pixel column.
TEST(DrawCurve, SamePixelsAsOneSegmentPerSample) {
    const struct {
        const char* what;
        int samples;
        double first, last, zoom;
        bool noise;
    } cases[] = {
        {"dense", 20000, 1, 20000, 1, false},
        {"dense zoomed", 20000, 1, 20000, 3, false},
        {"noise", 3000, 1, 3000, 1, true},
        {"noise, one sample per column or two", 700, 1, 700, 2, true},
        {"sparse", 40, 1, 40, 2.5, false},
        {"partial range", 5000, 100, 3000, 1, false},
        {"non-whole range", 1000, 1.5, 999.5, 1, false},
        {"two samples", 10, 4, 5, 1, false},
        {"one sample", 10, 4, 4, 1, false},
    };
    for (const auto& c : cases) {
        const LogData log =
            MakeLog({{"A", Walk(c.samples, 1, c.noise)},
                     {"B", Walk(c.samples, 2, c.noise), true, RGB(0, 160, 0)},
                     {"C", Walk(c.samples, 3, c.noise), true, RGB(0, 0, 255), true}});
        const GraphRequest request{1, c.first, c.last, c.zoom, 0};
        DrawingArea fast, naive;
        for (DrawingArea* area : {&fast, &naive}) area->pbGraph.SetSize(6000, 4500);
        DrawGraph(fast, log, request, DisplayColors{});
        DrawGraph(naive, log, request, DisplayColors{}, DrawCurveNaive);
        const QImage& a = fast.pbGraphContents.image();
        const QImage& b = naive.pbGraphContents.image();
        int differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
        EXPECT_EQ(differing, 0) << c.what;
    }
}

// Every rise and drop between columns one to three pixels apart, up to a canvas 2000 pixels
// high: the painter's own rounding decides which column some of those pixels fall into.
TEST(DrawCurve, SegmentsBetweenColumnsSamePixelsAsThePainter) {
    constexpr int kRows = 2000;
    Surface fast, naive;
    for (Surface* s : {&fast, &naive}) {
        s->SetSize(4 * kTwipsPerPixel, kRows * kTwipsPerPixel);
        s->SetForeColor(RGB(255, 0, 0));
    }
    std::vector<double> values(2);
    CurvePlot plot;
    plot.samples = values;
    plot.count = 2;
    plot.sLast = 2;
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
                        << "row " << from << " to " << to << ", " << across << " across"
                        << (filled ? ", filled" : "");
                }
}

}  // namespace
}  // namespace grafolux
