#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/GraphDrawing.h"
#include "graph/ZoomMath.h"
#include "support/DrawingTestKit.h"

namespace grafolux {
namespace {

using test::MakeLog;
using test::PixelAt;
using test::Runs;
using test::Samples;

// pbGraph of 6000 x 6000 twips: plot height 5580 (the axis on row 372), canvas 5310 wide.
constexpr double kH = 5580, kCW = 5310;
constexpr int kAxisRow = 372;
constexpr Colour kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

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
    const Surface& canvas() const { return area.pbGraphContents; }
    std::vector<test::Run> Find(const Surface& s, QRect r, Colour c, bool across = false) const {
        return Runs(s, r, c, across, across ? 3 : 0);  // letters of one label merge
    }
    DrawingArea area;
    const DisplayColors colors;
};

TEST_F(GraphViewTest, RedCurveThroughEverySampleValueLabelOnEveryStep) {
    const auto values = Samples(101, [](int s) { return (s * 37) % 101; });  // 0..100 shuffled
    Draw(MakeLog({{"A", values}}), 1, 101);
    for (int j = 0; j < 100; ++j)
        EXPECT_EQ(PixelAt(canvas(), Px(j * kCW / 100), Px(kH - values[j] / 100 * kH)), kRed) << j;
    const auto labels = Find(area.pbGraph, {0, 0, 35, 400}, colors.lngTextColor);
    ASSERT_EQ(labels.size(), 11u);
    for (int t = 0; t <= 10; ++t)  // centred on their ticks at 0, 0.1 H, ... H
        EXPECT_NEAR(labels[10 - t].begin + labels[10 - t].end, 2 * Px(120 + kH - kH / 10 * t), 6);
}

TEST_F(GraphViewTest, ValueLabelsAndLowHighTexts) {
    const struct {
        std::vector<double> samples;
        size_t labels;
        const char* lowHigh;
    } cases[] = {
        {{5, 5, 5}, 3, "4 6"},  // 4..6 in quarters: only the whole values are marked
        {Samples(13, [](int s) { return 12.4 + s / 10.0; }), 13, "12.5 13.7"},  // every step
        {{-5, -3, -1}, 6, "-5 0"},       // negative: the scale reaches up to 0
        {{0, 1e9}, 16, "0 1000000000"},  // beyond the table's steps
    };
    for (const auto& c : cases) {
        const GraphResult result = Draw(MakeLog({{"A", c.samples}}), 1, c.samples.size());
        EXPECT_EQ(Find(area.pbGraph, {0, 0, 35, 400}, colors.lngTextColor).size(), c.labels)
            << c.lowHigh;
        EXPECT_EQ(result.lowText + " " + result.highText, c.lowHigh);
    }
}

TEST_F(GraphViewTest, SampleLabelsAndGridLinesPerZoom) {
    const struct {
        int samples;
        double zoom;
        size_t labels;
    } cases[] = {{5000, 1, 10}, {5000, 2, 20}, {100000, 1, 10}, {101, 1, 5}};
    for (const auto& c : cases) {  // 101: 20 ... 100, and 120 lies right of the canvas
        Draw(MakeLog({{"A", std::vector<double>(c.samples, 5.0)}}), 1, c.samples, c.zoom);
        const auto labels = Find(canvas(), {0, kAxisRow + 4, 4000, 30}, colors.lngTextColor, true);
        const auto lines = Runs(canvas(), {0, 100, 4000, 1}, colors.lngGridColor, true);
        EXPECT_EQ(labels.size(), c.labels) << c.samples << " at " << c.zoom;
        EXPECT_EQ(lines.size(), c.labels) << c.samples << " at " << c.zoom;
        for (size_t i = 0; c.samples == 101 && i < lines.size(); ++i)  // a pixel left of it
            EXPECT_EQ(lines[i].begin, Px((20 * (i + 1) - 1) * kCW / 100) - 1) << i;
    }
}

TEST_F(GraphViewTest, LegendCurrentItemFirstThenLockedInItemOrder) {
    const Colour yellow = RGB(255, 255, 0), green = RGB(0, 160, 0);
    const auto ramp = Samples(50, [](int s) { return s; });
    for (const bool locked : {false, true}) {  // the current item locked shows twice
        const GraphResult result = Draw(MakeLog({{"A", ramp, locked, yellow},
                                                 {"B", ramp, true, green},
                                                 {"C", ramp},
                                                 {"D", ramp, true, kBlue, true}}),
                                        1, 50);
        EXPECT_EQ(result.locked, locked);
        EXPECT_EQ(result.itemColour, yellow);
        int n = 0;  // swatches 5 pixels in, 40 apart
        for (const Colour swatch : {kRed, locked ? yellow : green, locked ? green : kBlue,
                                    locked ? kBlue : colors.lngBackColor})
            EXPECT_EQ(PixelAt(area.pbLegend, 5, 5 + 40 * n++), swatch) << n << ", " << locked;
    }
    // The name 90 twips right of the swatch; its values below it are the missing values' test's.
    EXPECT_FALSE(Runs(area.pbLegend, {31, 0, 150, 40}, colors.lngForeColor, false).empty());
}

TEST_F(GraphViewTest, FilledLockedItemIsABandDownToTheAxis) {
    const auto ramp = Samples(101, [](int s) { return s - 1.0; });
    Draw(MakeLog({{"A", std::vector<double>(101, 0.0)},  // red line across the middle
                  {"B", ramp, true, kBlue, true},
                  {"C", ramp, false, kRed, true}}),  // filled, not locked: not drawn
         1, 101);
    // Sample 30 (value 29) lies at 29 x 53.1 twips: its band reaches its height.
    const int x = Px(std::nearbyint(29 * kCW / 100)), top = Px(std::nearbyint(kH - 0.29 * kH));
    EXPECT_EQ(PixelAt(canvas(), x, top - 2), colors.lngBackColor);
    for (int y = top; y < kAxisRow; ++y)
        EXPECT_EQ(PixelAt(canvas(), x, y), y == kAxisRow / 2 ? kRed : kBlue) << y;
    EXPECT_EQ(PixelAt(canvas(), x, kAxisRow), colors.lngForeColor);  // axis painted back
}

// Missing values (a computed item's NaN) take no part in the scale; without a value there is no
// curve, no value grid, and the legend says so.
TEST_F(GraphViewTest, MissingValuesLeftOutOfScaleCurveAndLegend) {
    constexpr double M = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        std::vector<double> samples;
        const char* lowHigh;
        const char* legend;
    } cases[] = {
        {"some missing", {M, 5, 9, M}, "5 9", "5 - 9"},
        {"one present", {M, 7, M, M}, "6 8", "6 - 8"},
        {"all missing", {M, M, M, M}, "\u2014 \u2014", "no value"},
    };
    for (const auto& c : cases) {
        for (const bool locked : {false, true}) {             // the current item, or a locked one
            const std::vector<double> other = {0, 0, 0, 10};  // clear of B's middle row
            const LogData log = locked ? MakeLog({{"A", other}, {"B", c.samples, true, kBlue}})
                                       : MakeLog({{"A", c.samples}});
            const GraphResult result = Draw(log, 1, 4);
            const bool drawn = std::string(c.legend) != "no value";
            const Colour curve = locked ? kBlue : kRed;
            EXPECT_EQ(!Runs(canvas(), {0, 0, 354, kAxisRow}, curve, true).empty(), drawn)
                << c.what << ", " << locked;
            if (!locked) {
                EXPECT_EQ(result.lowText + " " + result.highText, QString::fromUtf8(c.lowHigh))
                    << c.what;
                EXPECT_EQ(Find(area.pbGraph, {0, 0, 35, 400}, colors.lngTextColor).empty(), !drawn)
                    << c.what;
            }
            // The entry's second line, one text height below its name, as wide as its text.
            const Surface& legend = area.pbLegend;
            const int top = 40 * locked + 5 + legend.TextHeight("x") / 15;
            const auto ink = Runs(legend, {0, top, 200, 9}, colors.lngTextColor, true, 4);
            ASSERT_FALSE(ink.empty()) << c.what;
            EXPECT_NEAR(ink.back().end - 31, legend.TextWidth(c.legend) / 15, 4)
                << c.what << ", " << locked;
        }
    }
}

TEST_F(GraphViewTest, CanvasBackInPlaceAfterZoomNeverShortOfTheRightEdge) {
    const double cases[][4] = {// Left before, zoom before, zoom after, Left after
                               {-3000, 2, 2.5, -3750},
                               {-3000, 2, 1, 0},
                               {-10000, 2, 1.5, -0.5 * kCW}};
    const Surface& box = area.pbGraphContainer;
    for (const auto& c : cases) {
        Draw(MakeLog({{"A", {1, 2, 3}}}), 1, 3, c[2], ScrollPosFromLeft(c[0], c[1]));
        EXPECT_EQ(canvas().Left(), c[3]) << c[0] << " at " << c[2];
        EXPECT_EQ(canvas().Width(), c[2] * kCW) << c[0] << " at " << c[2];
        EXPECT_EQ(QRectF(box.Left(), box.Top(), box.Width(), box.Height()),
                  QRectF(615, 120, kCW, kH + 300))
            << c[0] << " at " << c[2];
    }
}

TEST_F(GraphViewTest, RangesWithoutAScaleDrawSoundly) {
    const struct {
        LogData log;
        double first, last;
        bool curve;
    } cases[] = {
        {MakeLog({{"A", {}}}), 1, 1, false},  // no samples
        {MakeLog({{"A", {1, 2}}}), 5, 9, false},
        {MakeLog({{"A", {1, 2, 3}}}), 3, 1, false},
        {MakeLog({{"A", {-1e308, 1e308}}}), 1, 2, true},  // wider than a double
        {MakeLog({{"A", {1e17, 1e17}}}), 1, 2, true},     // no room for plus and minus one
        {MakeLog({{"A", {1, 9, 3}}}), 1.5, 3, true},      // not whole, at the log's end
    };
    for (const auto& c : cases) {  // the axes always, the curve, legend and labels if any
        const GraphResult result = Draw(c.log, c.first, c.last);
        EXPECT_EQ(Runs(canvas(), {0, 0, 354, kAxisRow}, kRed, true).empty(), !c.curve) << c.last;
        EXPECT_EQ(PixelAt(canvas(), 10, kAxisRow), colors.lngForeColor) << c.last;
        EXPECT_EQ(area.lngLegendLines + result.lowText.isEmpty(), 1) << c.last;
    }
    // One sample: flat across, in the middle of its scale, with no sample labels.
    const auto samples = std::vector<double>{1, 2, 5, 7};
    const GraphResult result =
        Draw(MakeLog({{"A", samples}, {"B", samples, true, kBlue, true}}), 3, 3);
    EXPECT_EQ(result.lowText + " " + result.highText, "4 6");
    for (int x = 0; x < 354; x += 7)
        EXPECT_EQ(PixelAt(canvas(), x, kAxisRow / 2) + PixelAt(canvas(), x, kAxisRow / 2 + 5),
                  kRed + kBlue)
            << x;
    EXPECT_TRUE(Runs(canvas(), {0, kAxisRow + 4, 354, 30}, colors.lngTextColor, true).empty());
}

}  // namespace
}  // namespace grafolux
