#include "graph/CurvePlot.h"

#include <gtest/gtest.h>

#include <random>

#include "NaiveCurve.h"
#include "TestLog.h"
#include "graph/GraphView.h"

namespace grafolux {
namespace {

using test::MakeLog;

// Random walk with an occasional one-sample spike up or down.
std::vector<double> Walk(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> step(-1, 1);
    std::vector<double> values;
    double v = 50;
    for (int s = 0; s < n; ++s) {
        v += step(random);
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
    } cases[] = {
        {"dense", 20000, 1, 20000, 1},
        {"dense zoomed", 20000, 1, 20000, 3},
        {"sparse", 40, 1, 40, 2.5},
        {"partial range", 5000, 100, 3000, 1},
        {"non-whole range", 1000, 1.5, 999.5, 1},
        {"two samples", 10, 4, 5, 1},
        {"one sample", 10, 4, 4, 1},
    };
    for (const auto& c : cases) {
        const LogData log = MakeLog({{"A", Walk(c.samples, 1)},
                                     {"B", Walk(c.samples, 2), true, RGB(0, 160, 0)},
                                     {"C", Walk(c.samples, 3), true, RGB(0, 0, 255), true}});
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

}  // namespace
}  // namespace grafolux
