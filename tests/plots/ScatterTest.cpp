#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plots/KeptSamples.h"
#include "plots/PixelSamples.h"
#include "plots/PointGrid.h"
#include "plots/ScatterDrawing.h"
#include "support/DrawingTestKit.h"

namespace grafolux {
namespace {

// Where a value lies along the axis, in pixels, by long double arithmetic.
long double Position(const PlotAxis& axis, double v) {
    return (static_cast<long double>(v) - axis.low) /
           (static_cast<long double>(axis.high) - axis.low) * axis.pixels;
}
int32_t ExpectedPixel(const PlotAxis& axis, double v) {
    return static_cast<int32_t>(
        std::clamp<long double>(std::floor(Position(axis, v)), 0, axis.pixels - 1));
}
// Not within rounding of a pixel's edge, where the two ways of reckoning may part.
bool OffEdge(const PlotAxis& axis, double v) {
    const long double at = Position(axis, v);
    return std::fabs(at - std::nearbyint(at)) > 1e-9L;
}

TEST(PlotAxis, PixelOfMatchesIndependentPlacement) {
    struct Case {
        double lowest, highest;
        int32_t pixels;
    };
    const Case cases[] = {{
                              0,
                              100,
                              100,
                          },
                          {-3.5, 7.25, 37},
                          {500, 6400, 480},
                          {42, 42, 9},
                          {-1e308, 1e308, 64},
                          {1e308, 1e308, 5},
                          {0, 1, 1}};
    for (const Case& c : cases) {
        const PlotAxis axis = PlotAxis::For(c.lowest, c.highest, c.pixels, 10);
        EXPECT_LE(axis.low, c.lowest);
        EXPECT_GE(axis.high, c.highest);
        EXPECT_LT(axis.low, axis.high) << "a constant axis is widened";
        for (int i = 0; i <= 200; ++i) {
            const double v = c.lowest + (c.highest / 200 - c.lowest / 200) * i;
            if (OffEdge(axis, v)) {
                EXPECT_EQ(axis.PixelOf(v), ExpectedPixel(axis, v)) << v;
            }
        }
        EXPECT_EQ(axis.PixelOf(axis.low), 0);
        EXPECT_EQ(axis.PixelOf(axis.high), c.pixels - 1);
        for (int32_t p = 0; p < c.pixels; ++p)
            EXPECT_EQ(axis.PixelOf(axis.ValueAt(p + 0.5)), p) << c.lowest << " pixel " << p;
    }
}

// Every pixel's count, and its mean colour value, against a direct count over the points.
TEST(PointGrid, CountsAndMeansMatchDirectCount) {
    const PlotAxis x = PlotAxis::For(0, 1000, 37, 5), y = PlotAxis::For(-50, 50, 23, 5);
    std::vector<double> xs, ys, colours;
    uint32_t seed = 7;
    const auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (int i = 0; i < 5000; ++i) {
        xs.push_back(next() % 1001);
        ys.push_back(static_cast<double>(next() % 1001) / 10 - 50);
        colours.push_back(i % 7 == 0 ? std::nan("") : next() % 100);
    }
    PointGrid grid(x, y);
    grid.Add(xs, ys, colours);
    std::vector<uint32_t> counts(37 * 23);
    std::vector<double> sums(37 * 23);
    std::vector<int> present(37 * 23);
    uint32_t highest = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        const size_t at =
            static_cast<size_t>((22 - ExpectedPixel(y, ys[i])) * 37 + ExpectedPixel(x, xs[i]));
        highest = std::max(highest, ++counts[at]);
        if (!std::isnan(colours[i])) sums[at] += colours[i], ++present[at];
    }
    EXPECT_EQ(grid.highestCount(), highest);
    for (int32_t row = 0; row < 23; ++row)
        for (int32_t column = 0; column < 37; ++column) {
            const size_t at = static_cast<size_t>(row * 37 + column);
            EXPECT_EQ(grid.CountAt(column, row), counts[at]) << column << "," << row;
            const auto mean = grid.MeanAt(column, row);
            EXPECT_EQ(mean.has_value(), present[at] > 0);
            if (mean) {
                EXPECT_DOUBLE_EQ(*mean, sums[at] / present[at]);
            }
        }
}

// What is kept: the range, the filters (one naming an item the log lacks ignored), and values.
TEST(KeepSamples, RangeFiltersAndMissingValues) {
    const double nan = std::nan("");
    const LogData log = test::MakeLogOfRows({"X", "Y", "C", "F"}, {{1, 10, 5, 1},
                                                                   {2, nan, 5, 1},
                                                                   {3, 30, nan, 1},
                                                                   {4, 40, 5, 0},
                                                                   {5, 50, 5, 1},
                                                                   {6, 60, 6, 1}});
    const std::vector<SampleCondition> conditions = {{"F", CompareOp::Equal, 1},
                                                     {"NOPE", CompareOp::Equal, 1}};
    const TableSource sources[] = {{&log, 2, 5}, {&log, 6, 6}};
    const auto kept = KeepScatterSamples(sources, {"X", "Y", "C"}, conditions);
    ASSERT_TRUE(std::holds_alternative<KeptSamples>(kept));
    const KeptSamples& k = std::get<KeptSamples>(kept);
    EXPECT_EQ(k.values[0], (PlotValues{3, 5, 6}));
    EXPECT_EQ(k.values[1], (PlotValues{30, 50, 60}));
    EXPECT_TRUE(std::isnan(k.values[2][0]));  // the colour item may lack a value
    EXPECT_EQ(k.inRange, 5);
    EXPECT_EQ(k.withoutValue, 1);
    EXPECT_EQ(k.failing, (std::vector<int64_t>{1, 0}));
    EXPECT_EQ(k.filtered(), 1);
    EXPECT_EQ(k.missingConditions[0], (std::vector<size_t>{1}));
    const auto lack = KeepScatterSamples(sources, {"X", "Y", "Q"}, conditions);
    ASSERT_TRUE(std::holds_alternative<PlotLack>(lack));
    EXPECT_EQ(std::get<PlotLack>(lack).item, "Q");
}

// The drawn points sit on their pixels of the canvas in their density shade.
TEST(DrawScatter, PointsOnTheirPixels) {
    DrawingArea area;
    area.pbGraph.SetSize(300 * kTwipsPerPixel, 200 * kTwipsPerPixel);
    area.pbLegend.SetSize(100 * kTwipsPerPixel, 200 * kTwipsPerPixel);
    KeptSamples kept;
    kept.values = {{0, 0, 100, 37}, {0, 0, 100, 80}};
    kept.inRange = 4;
    const auto grids = DrawScatter(area, kept, {"X", "Y", std::nullopt}, {}, DisplayColors{});
    ASSERT_TRUE(grids);
    const PointGrid* grid = &grids->shown;
    EXPECT_EQ(grid->highestCount(), 2u);
    for (size_t i = 0; i < 4; ++i) {
        const int32_t column = grid->ColumnOf(kept.values[0][i]),
                      row = grid->RowOf(kept.values[1][i]);
        EXPECT_EQ(test::PixelAt(area.pbGraphContents, column, row),
                  DensityColour(grid->CountAt(column, row), 2))
            << i;
    }
    EXPECT_EQ(DensityColour(1, 2), RGB(48, 64, 200));
    EXPECT_EQ(DensityColour(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(MeanColour(5, 0, 10), RGB(32, 176, 144));
    // With a colour item: the pixels' means 5 (of 0 and 10), none, and 2 span the scale.
    kept.values.push_back({0, 10, std::nan(""), 2});
    const auto coloured = DrawScatter(area, kept, {"X", "Y", "C"}, {}, DisplayColors{});
    ASSERT_TRUE(coloured);
    const auto pixel = [&](size_t i) {
        return test::PixelAt(area.pbGraphContents, coloured->shown.ColumnOf(kept.values[0][i]),
                             coloured->shown.RowOf(kept.values[1][i]));
    };
    EXPECT_EQ(pixel(0), MeanColour(5, 2, 5));
    EXPECT_EQ(pixel(2), kNoMeanColour);
    EXPECT_EQ(pixel(3), MeanColour(2, 2, 5));
    kept = {};
    kept.values = {{}, {}};
    EXPECT_FALSE(DrawScatter(area, kept, {"X", "Y", std::nullopt}, {}, DisplayColors{}));
}

// B's points lie over A's in B's own shades, on axes stretched to hold both; a B that lacks an
// item leaves A's plot as it is; B alone still draws.
TEST(DrawScatter, VersusPointsOverTheShownLogs) {
    DrawingArea area;
    area.pbGraph.SetSize(300 * kTwipsPerPixel, 200 * kTwipsPerPixel);
    area.pbLegend.SetSize(100 * kTwipsPerPixel, 200 * kTwipsPerPixel);
    const ScatterItems items{"X", "Y", std::nullopt};
    KeptSamples a, b;
    a.values = {{0, 10}, {0, 10}};
    b.values = {{0, 40, 40}, {0, 30, 30}};
    const VersusSamples versus{"b.txt", b};
    const auto grids = DrawScatter(area, a, items, {}, DisplayColors{}, &versus);
    ASSERT_TRUE(grids && grids->versus);
    const PointGrid& shown = grids->shown;
    const auto pixel = [&](double x, double y) {
        return test::PixelAt(area.pbGraphContents, shown.ColumnOf(x), shown.RowOf(y));
    };
    EXPECT_GE(shown.xAxis().high, 40);  // the axes hold B's points
    EXPECT_GE(shown.yAxis().high, 30);
    EXPECT_EQ(pixel(10, 10), DensityColour(1, 1));
    EXPECT_EQ(pixel(0, 0), VersusDensityColour(1, 2));  // over A's point
    EXPECT_EQ(pixel(40, 30), VersusDensityColour(2, 2));
    EXPECT_EQ(VersusDensityColour(1, 2), RGB(170, 0, 0));

    const VersusSamples lacking{"b.txt", PlotLack{0, "Y"}};
    const auto alone = DrawScatter(area, a, items, {}, DisplayColors{}, &lacking);
    ASSERT_TRUE(alone);
    EXPECT_FALSE(alone->versus);
    EXPECT_LT(alone->shown.xAxis().high, 40);
    KeptSamples none;
    none.values = {{}, {}};
    const auto onlyB = DrawScatter(area, none, items, {}, DisplayColors{}, &versus);
    ASSERT_TRUE(onlyB && onlyB->versus);
    EXPECT_EQ(onlyB->versus->highestCount(), 2u);
}

// A double-click's samples: those of the range on the pixel that pass the filters, and of
// them the one nearest the point clicked.
TEST(PixelSamples, MarksThePixelsSamplesAndFindsTheNearest) {
    const double nan = std::nan("");
    const LogData log = test::MakeLogOfRows(
        {"X", "Y", "F"},
        {{1.1, 1.1, 1}, {1.9, 1.9, 1}, {1.5, nan, 1}, {1.2, 1.2, 0}, {5, 5, 1}, {1.8, 1.3, 1}});
    const PlotAxis axis = PlotAxis::For(0, 10, 10, 10);
    const PlotPixel pixel{axis, axis, 1, 8};  // values 1 … 2 across and up
    const std::vector<SampleCondition> conditions = {{"F", CompareOp::Equal, 1}};
    const SampleMarks marks =
        MarkPixelSamples(log, 1, 6, {"X", "Y", std::nullopt}, conditions, pixel);
    EXPECT_EQ(marks.Runs(), (std::vector<SampleMarks::Run>{{1, 2}, {6, 6}}));
    EXPECT_EQ(MarkPixelSamples(log, 2, 6, {"X", "Y", std::nullopt}, conditions, pixel).Runs(),
              (std::vector<SampleMarks::Run>{{2, 2}, {6, 6}}));
    EXPECT_EQ(NearestSample(marks, log, {"X", "Y", std::nullopt}, pixel, 1.85, 1.35), 6);
    EXPECT_EQ(NearestSample(marks, log, {"X", "Y", std::nullopt}, pixel, 1.0, 1.0), 1);
    EXPECT_EQ(NearestSample({}, log, {"X", "Y", std::nullopt}, pixel, 1.0, 1.0), std::nullopt);
}

}  // namespace
}  // namespace grafolux
