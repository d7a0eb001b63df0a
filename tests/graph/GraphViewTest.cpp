#include <gtest/gtest.h>

#include <cmath>

#include "Pixels.h"
#include "TestLog.h"
#include "graph/GraphView.h"
#include "graph/NumberFormat.h"
#include "graph/ZoomMath.h"

namespace grafolux {
namespace {

using test::MakeLog;
using test::PixelAt;
using test::Runs;
using test::Samples;

// pbGraph of 6000 x 6000 twips: plot height 5580, canvas 5310 wide at zoom 1.
constexpr double kH = 5580;
constexpr double kCW = 5310;
constexpr int kAxisRow = 372;
constexpr Colour kRed = RGB(255, 0, 0);

int Px(double twips) { return TwipsToPixels(twips); }

class GraphViewTest : public testing::Test {
protected:
    void SetUp() override {
        area.pbGraph.SetSize(6000, 6000);
        area.pbLegend.SetSize(3000, 6000);
    }
    GraphResult Draw(const LogData& log, double first, double last, double zoom = 1,
                     int32_t scrollPos = 0) {
        return DrawGraph(area, log, {1, first, last, zoom, scrollPos}, colors);
    }
    Surface& canvas() { return area.pbGraphContents; }
    // Value labels: text colour left of x 525 twips.
    std::vector<test::Run> ValueLabels() {
        return Runs(area.pbGraph, QRect(0, 0, 35, 400), colors.lngTextColor, false);
    }
    // Sample labels: text colour in the strip below the sample axis.
    std::vector<test::Run> SampleLabels() {
        return Runs(canvas(), QRect(0, Px(kH + 60), 20000, 30), colors.lngTextColor, true, 3);
    }
    // Vertical grid lines, found on a row that no horizontal line or curve crosses.
    std::vector<test::Run> SampleGridLines(int row) {
        return Runs(canvas(), QRect(0, row, 20000, 1), colors.lngGridColor, true);
    }

    DrawingArea area;
    DisplayColors colors;
};

TEST_F(GraphViewTest, RedCurvePassesThroughEverySample) {
    // A permutation of 0..100, so the value scale is exactly 0..100.
    const auto values = Samples(101, [](int s) { return (s * 37) % 101; });
    const GraphResult result = Draw(MakeLog({{"A", values}}), 1, 101);
    EXPECT_EQ(result.lblMin, "0");
    EXPECT_EQ(result.lblMax, "100");
    for (int j = 0; j < 100; ++j) {
        const int x = Px(j * kCW / 100), y = Px(kH - values[j] / 100 * kH);
        EXPECT_EQ(PixelAt(canvas(), x, y), kRed) << "sample " << j + 1;
    }
}

TEST_F(GraphViewTest, WholeValuesLabelledAtEveryStepOfTheHeight) {
    Draw(MakeLog({{"A", Samples(101, [](int s) { return s - 1.0; })}}), 1, 101);
    const auto labels = ValueLabels();
    ASSERT_EQ(labels.size(), 11u);  // 0, 10, ..., 100
    for (int t = 0; t <= 10; ++t) {
        const int lineRow = Px(120 + std::nearbyint(kH - kH / 10 * t));
        EXPECT_NEAR(labels[10 - t].centre(), lineRow, 3) << "label " << t * 10;
    }
    // Grid lines on the canvas at every step but the lowest, which the axis covers.
    EXPECT_EQ(Runs(canvas(), QRect(2, 0, 1, kAxisRow), colors.lngGridColor, false).size(), 10u);
    EXPECT_EQ(PixelAt(canvas(), 2, kAxisRow), colors.lngForeColor);
}

TEST_F(GraphViewTest, ValueLabelsOnlyWhereTheyShouldBe) {
    struct Case {
        const char* what;
        std::vector<double> samples;
        size_t labels;
        const char *lblMin, *lblMax;
    };
    const Case cases[] = {
        // 4..6 in steps of 0.25: only the whole values are marked.
        {"constant", {5, 5, 5, 5}, 3, "4", "6"},
        // Fractional samples: every step is marked.
        {"fractional", Samples(13, [](int s) { return 12.4 + s / 10.0; }), 13, "12.5", "13.7"},
        // Negative samples: the highest value stays 0.
        {"negative", {-5, -3, -1}, 6, "-5", "0"},
        // Values beyond the table's largest step still get a scale.
        {"huge", {0, 1e9}, 16, "0", "1000000000"},
    };
    for (const Case& c : cases) {
        const GraphResult result = Draw(MakeLog({{"A", c.samples}}), 1, c.samples.size());
        EXPECT_EQ(ValueLabels().size(), c.labels) << c.what;
        EXPECT_EQ(result.lblMin, c.lblMin) << c.what;
        EXPECT_EQ(result.lblMax, c.lblMax) << c.what;
    }
}

TEST_F(GraphViewTest, ValueLabelDecimalsFollowStepAndSamples) {
    const struct {
        std::vector<double> samples;
        double top;  // the highest label
        int decimals;
    } cases[] = {
        {Samples(13, [](int s) { return 12.4 + s / 10.0; }), 137 * 0.1, 2},  // step 0.1
        {Samples(101, [](int s) { return s - 0.5; }), 110, 0},               // step 10
    };
    for (const auto& c : cases) {
        Draw(MakeLog({{"A", c.samples}}), 1, c.samples.size());
        const auto top = ValueLabels().front();
        const auto label = Runs(area.pbGraph, QRect(0, top.begin, 35, top.end - top.begin + 1),
                                colors.lngTextColor, true, 3);
        ASSERT_EQ(label.size(), 1u);
        // The label's ink is nearer the width of its text in the expected form than in the other.
        const double width = label[0].end - label[0].begin + 1;
        const double expected = area.pbGraph.TextWidth(FormatGrouped(c.top, c.decimals)) / 15;
        const double other = area.pbGraph.TextWidth(FormatGrouped(c.top, 2 - c.decimals)) / 15;
        EXPECT_LT(std::abs(width - expected), std::abs(width - other)) << c.decimals;
    }
}

TEST_F(GraphViewTest, SampleLabelsPerZoom) {
    const struct {
        int samples;
        double zoom;
        size_t labels;
    } cases[] = {
        {5000, 1, 10},    // 500 ... 5,000
        {5000, 2, 20},    // steps of 250
        {100000, 1, 10},  // 10,000 ... 100,000: beyond the table, still labelled
        {101, 1, 5},      // 20 ... 100; 120 lies right of the canvas
    };
    for (const auto& c : cases) {
        Draw(MakeLog({{"A", std::vector<double>(c.samples, 5.0)}}), 1, c.samples, c.zoom);
        EXPECT_EQ(SampleLabels().size(), c.labels) << c.samples << " at " << c.zoom;
        EXPECT_EQ(SampleGridLines(100).size(), c.labels) << c.samples << " at " << c.zoom;
    }
}

TEST_F(GraphViewTest, SampleGridLineOnePixelLeftOfItsSample) {
    Draw(MakeLog({{"A", std::vector<double>(101, 5.0)}}), 1, 101);
    const auto lines = SampleGridLines(100);
    ASSERT_EQ(lines.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const int sample = 20 * (i + 1);
        EXPECT_EQ(lines[i].begin, Px((sample - 1) * kCW / 100) - 1) << "sample " << sample;
    }
}

TEST_F(GraphViewTest, LegendListsCurrentItemFirstThenLockedInItemOrder) {
    const Colour yellow = RGB(255, 255, 0), green = RGB(0, 160, 0), blue = RGB(0, 0, 255);
    const auto ramp = Samples(50, [](int s) { return s; });
    struct Case {
        bool currentLocked;
        std::vector<Colour> swatches;
    };
    const Case cases[] = {{false, {kRed, green, blue, colors.lngBackColor}},
                          {true, {kRed, yellow, green, blue}}};
    for (const Case& c : cases) {
        const LogData log = MakeLog({{"A", ramp, c.currentLocked, yellow},
                                     {"B", ramp, true, green},
                                     {"C", ramp},
                                     {"D", ramp, true, blue, true}});
        const GraphResult result = Draw(log, 1, 50);
        EXPECT_EQ(result.chkDisplay, c.currentLocked);
        EXPECT_EQ(result.bColorBack, yellow);
        for (size_t n = 0; n < c.swatches.size(); ++n)
            EXPECT_EQ(PixelAt(area.pbLegend, 5, 5 + 40 * static_cast<int>(n)), c.swatches[n])
                << "entry " << n + 1 << (c.currentLocked ? " (current locked)" : "");
    }
}

TEST_F(GraphViewTest, FilledLockedItemIsABandDownToTheAxis) {
    const Colour blue = RGB(0, 0, 255), magenta = RGB(255, 0, 255);
    const LogData log =
        MakeLog({{"A", std::vector<double>(101, 0.0)},  // red line across the middle
                 {"B", Samples(101, [](int s) { return s - 1.0; }), true, blue, true},
                 {"C", Samples(101, [](int s) { return 101.0 - s; }), false, magenta, true}});
    Draw(log, 1, 101);
    // Sample 30 (value 29) lies at 29 x 53.1 twips; its band reaches its height.
    const int x = Px(std::nearbyint(29 * kCW / 100));
    const int top = Px(std::nearbyint(kH - 0.29 * kH));
    EXPECT_EQ(PixelAt(canvas(), x, top - 2), colors.lngBackColor);
    for (int y = top; y < kAxisRow; ++y)
        if (y != kAxisRow / 2) {
            ASSERT_EQ(PixelAt(canvas(), x, y), blue) << y;
        }
    EXPECT_EQ(PixelAt(canvas(), x, kAxisRow / 2), kRed);             // current item on top
    EXPECT_EQ(PixelAt(canvas(), x, kAxisRow), colors.lngForeColor);  // axis painted back
    // C is filled but not locked: not drawn at all.
    EXPECT_TRUE(Runs(canvas(), QRect(0, 0, 354, kAxisRow), magenta, true).empty());
}

TEST_F(GraphViewTest, SingleSamplePeakKeepsItsHeight) {
    // 20000 samples on 354 columns: dozens per column, one of them a spike.
    auto line = std::vector<double>(20000, 0.0), band = line;
    line[12345] = 100;
    band[4321] = 100;
    Draw(MakeLog({{"A", line}, {"B", band, true, RGB(0, 0, 255), true}}), 1, 20000);
    EXPECT_EQ(PixelAt(canvas(), Px(12345 * kCW / 19999), 0), kRed);
    EXPECT_EQ(PixelAt(canvas(), Px(std::nearbyint(4321 * kCW / 19999)), 0), RGB(0, 0, 255));
}

TEST_F(GraphViewTest, CanvasGoesBackToItsPositionAfterZoom) {
    const LogData log = MakeLog({{"A", std::vector<double>(500, 1.0)}});
    const struct {
        double left, oldZoom, newZoom;
        double expectedLeft, canvasWidth;
    } cases[] = {
        {-3000, 2.0, 2.5, -3750, 2.5 * kCW},
        {-3000, 2.0, 1.0, 0, kCW},                        // zoom 1: the canvas fills the container
        {-10000, 2.0, 1.5, -1.5 * kCW + kCW, 1.5 * kCW},  // pulled right to the container's edge
        {0, 1.0, 10.0, 0, 10 * kCW},
    };
    for (const auto& c : cases) {
        Draw(log, 1, 500, c.newZoom, ScrollPosFromLeft(c.left, c.oldZoom));
        EXPECT_EQ(canvas().Left(), c.expectedLeft) << c.left << " at " << c.newZoom;
        EXPECT_EQ(canvas().Width(), c.canvasWidth);
        EXPECT_EQ(area.pbGraphContainer.Left(), 615);
        EXPECT_EQ(area.pbGraphContainer.Top(), 120);
        EXPECT_EQ(area.pbGraphContainer.Width(), kCW);
        EXPECT_EQ(area.pbGraphContainer.Height(), kH + 300);
    }
}

TEST_F(GraphViewTest, OneSampleRangeDrawsFlatAcrossWithoutSampleAxis) {
    const LogData log =
        MakeLog({{"A", {1, 2, 5, 7}}, {"B", {1, 2, 5, 7}, true, RGB(0, 0, 255), true}});
    const GraphResult result = Draw(log, 3, 3);
    EXPECT_EQ(result.lblMin, "4");
    EXPECT_EQ(result.lblMax, "6");
    for (int x = 0; x < 354; x += 7) {
        EXPECT_EQ(PixelAt(canvas(), x, kAxisRow / 2), kRed) << x;
        EXPECT_EQ(PixelAt(canvas(), x, kAxisRow / 2 + 5), RGB(0, 0, 255)) << x;
    }
    EXPECT_TRUE(SampleLabels().empty());
}

TEST_F(GraphViewTest, RangesWithoutDrawableScaleComplete) {
    const struct {
        const char* what;
        LogData log;
        double first, last;
        bool curve;
    } cases[] = {
        {"no samples", MakeLog({{"A", {}}}), 1, 1, false},
        {"range beyond the log", MakeLog({{"A", {1, 2}}}), 5, 9, false},
        {"range backwards", MakeLog({{"A", {1, 2, 3}}}), 3, 1, false},
        {"range wider than a double", MakeLog({{"A", {-1e308, 1e308}}}), 1, 2, true},
        {"no room for plus and minus one", MakeLog({{"A", {1e17, 1e17}}}), 1, 2, true},
        {"non-whole range at the log's end", MakeLog({{"A", {1, 9, 3}}}), 1.5, 3, true},
    };
    for (const auto& c : cases) {
        const GraphResult result = Draw(c.log, c.first, c.last);
        EXPECT_EQ(Runs(canvas(), QRect(0, 0, 354, kAxisRow), kRed, true).empty(), !c.curve)
            << c.what;
        EXPECT_EQ(PixelAt(canvas(), 10, kAxisRow), colors.lngForeColor) << c.what;
        EXPECT_EQ(area.lngLegendLines, c.curve ? 1 : 0) << c.what;
        if (!c.curve) {
            EXPECT_TRUE(result.lblMin.isEmpty()) << c.what;
        }
    }
}

}  // namespace
}  // namespace grafolux
