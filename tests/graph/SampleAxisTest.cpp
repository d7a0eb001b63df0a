#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "graph/GraphDrawing.h"
#include "support/DrawingTestKit.h"

namespace grafolux {
namespace {

// The window's default drawing area: 537 x 289 pixels.
struct Drawn {
    SampleAxis axis;
    int width = 0;  // canvas pixels
    DrawingArea area;
};

Drawn DrawRange(const LogData& log, double first, double last, double zoom) {
    Drawn drawn;
    drawn.area.pbGraph.SetSize(537 * kTwipsPerPixel, 289 * kTwipsPerPixel);
    const GraphResult result = DrawGraph(drawn.area, log, {1, first, last, zoom, 0}, {});
    drawn.axis = result.axis.value();
    drawn.width = drawn.area.pbGraphContents.image().width();
    return drawn;
}

const struct AxisCase {
    const char* what;
    int samples;
    double first, last, zoom;
} kAxisCases[] = {
    {"sparse", 60, 1, 60, 1},
    {"sparse 2.5", 60, 1, 60, 2.5},
    {"sparse 10", 60, 1, 60, 10},
    {"dense", 20000, 1, 20000, 1},
    {"dense 2.5", 20000, 1, 20000, 2.5},
    {"dense 10", 20000, 1, 20000, 10},
    {"part", 5000, 1200, 3999, 2.5},
    {"not whole", 1000, 1.5, 999.5, 1},
    {"two samples", 10, 4, 5, 10},
    {"one sample", 10, 4, 4, 2.5},
    {"about a column each", 540, 1, 536, 1},
};

// Every column of the canvas against the drawing's own vertex -> column mapping: the chosen
// vertex is drawn in the column, or as near it as any vertex is; the last column, beyond
// which the canvas clips the curve, shows the last sample. A sample's column is that of the
// first vertex showing it, within the canvas; where each sample has columns of its own, the
// column leads back to the sample.
TEST(SampleAxis, ColumnsAndSamplesFollowTheDrawingsMapping) {
    for (const AxisCase& c : kAxisCases) {
        const Drawn d = DrawRange(test::MakeLog({{"A", std::vector<double>(c.samples, 1)}}),
                                  c.first, c.last, c.zoom);
        const SampleAxis& axis = d.axis;
        std::vector<int> columns;  // of every vertex, ascending
        for (int64_t j = 0; j <= axis.LastLineVertex(); ++j) columns.push_back(axis.LineColumn(j));
        for (int x = 0; x < d.width; ++x) {
            const int64_t j = axis.VertexAtColumn(x, d.width);
            ASSERT_GE(j, 0) << c.what;
            ASSERT_LE(j, axis.LastLineVertex()) << c.what;
            if (x == d.width - 1) {
                EXPECT_EQ(axis.SampleAtColumn(x, d.width), axis.sLast) << c.what;
                continue;
            }
            const auto above = std::lower_bound(columns.begin(), columns.end(), x);
            int nearest = std::abs(*std::prev(columns.end()) - x);
            if (above != columns.end()) nearest = std::min(nearest, *above - x);
            if (above != columns.begin()) nearest = std::min(nearest, x - *std::prev(above));
            EXPECT_EQ(std::abs(axis.LineColumn(j) - x), nearest) << c.what << " column " << x;
        }
        EXPECT_EQ(axis.SampleAtColumn(0, d.width), axis.Index(0)) << c.what;
        EXPECT_EQ(axis.SampleAtColumn(-5, d.width), axis.Index(0)) << c.what;
        EXPECT_EQ(axis.SampleAtColumn(d.width + 5, d.width), axis.sLast) << c.what;

        const bool ownColumns = axis.dx >= 2 * kTwipsPerPixel;
        int64_t j = 0;
        for (int32_t s = axis.sFirst; s <= axis.sLast; ++s) {
            while (j < axis.LastLineVertex() && axis.Index(j) < s) ++j;
            if (axis.Index(j) != s) continue;  // a sample the rounding of the range skips
            const int column = axis.ColumnOfSample(s, d.width);
            EXPECT_EQ(column, std::min(axis.LineColumn(j), d.width - 1)) << c.what << " " << s;
            if (ownColumns) {
                EXPECT_EQ(axis.SampleAtColumn(column, d.width), s) << c.what << " " << s;
            }
        }
    }
}

// The peak of a one-sample spike, as drawn, is the spike's column and shows the spike's
// sample, at every zoom.
TEST(SampleAxis, SpikeDrawnWhereTheAxisPutsItsSample) {
    for (const double zoom : {1.0, 2.5, 10.0})
        for (const int spike : {1, 2, 17, 39, 40}) {
            const LogData log = test::MakeLog(
                {{"A", test::Samples(40, [&](int s) { return s == spike ? 9 : 0; })}});
            const Drawn d = DrawRange(log, 1, 40, zoom);
            const Surface& canvas = d.area.pbGraphContents;
            int peakRow = canvas.image().height(), peakColumn = -1;
            for (int x = 0; x < d.width; ++x)
                for (int y = 0; y < peakRow; ++y)
                    if (test::PixelAt(canvas, x, y) == kCurrentCurveColor) {
                        peakRow = y;
                        peakColumn = x;
                    }
            EXPECT_EQ(d.axis.ColumnOfSample(spike, d.width), peakColumn) << zoom << " " << spike;
            EXPECT_EQ(d.axis.SampleAtColumn(peakColumn, d.width), spike) << zoom << " " << spike;
        }
}

}  // namespace
}  // namespace grafolux
