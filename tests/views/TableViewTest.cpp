
#include <QDir>
#include <cmath>

#include "support/DrawingTestKit.h"
#include "support/Golden.h"
#include "tables/CellColours.h"
#include "views/FormLayout.h"
#include "views/ViewDrawing.h"
#include "views/ViewExport.h"

namespace grafolux {
namespace {

using test::MakeLog;
using test::Samples;

// A drive over most cells, trims spread around 128 (BLM raised by `richer`), and a warm-up
// flag.
LogData Drive(int n, double richer = 0) {
    return MakeLog({
        {"SENSOR:RPM", Samples(n, [](int s) { return 300.0 + (s * 97) % 6400; })},
        {"SENSOR:MAP", Samples(n, [](int s) { return 15.0 + (s * 31) % 90; })},
        {"SENSOR:BLM", Samples(n, [=](int s) { return 128.0 + ((s * 7) % 41) - 20 + richer; })},
        {"SENSOR:INT", Samples(n, [](int s) { return 128.0 + (s % 9) - 4; })},
        {"SENSOR:CTS", Samples(n, [n](int s) { return s < n / 4 ? 40.0 : 90.0; })},
    });
}

DrawingArea DefaultArea() {
    const FormLayout layout = DefaultLayout();
    DrawingArea area;
    PaintBackgrounds(area, DisplayColors{});
    area.pbGraph.SetSize(layout.pbGraph.Width, layout.pbGraph.Height);
    area.pbLegend.SetSize(layout.pbLegend.Width, layout.pbGraph.Height);
    return area;
}

// The coloured BLM table with a filter at the window's default size, as "Save As GIF" composes
// it.
TEST(DrawCellTableForRange, ColouredTableMatchesItsGoldenPicture) {
    const LogData log = Drive(3000);
    TableSettings settings;
    settings.look.coloured = true;
    settings.conditions = {{"SENSOR:CTS", CompareOp::GreaterEqual, 80},
                           {"SENSOR:EGT", CompareOp::Less, 900}};
    settings.look.show.minCount = 3;
    DrawingArea area = DefaultArea();
    DrawCellTableForRange(area, log, TableKind::Blm, "1", "3000", DisplayColors{}, settings);
    EXPECT_TRUE(::test::SameAsGoldenPicture(ComposeView(area, ViewMode::Blm),
                                            TEST_DATA_DIR "/tables/coloured_blm.png"));
}

// Without Colour Cells, B's BLM 2.5 higher in every cell shows in the difference's full red,
// and the legend (and its tooltip) has the key.
TEST(DrawCellTableForRange, DifferenceTintedUpToItsLargestChange) {
    const LogData a = Drive(3000), b = Drive(3000, 2.5);
    TableSettings settings;
    settings.versus = VersusLog{"b.txt", "b.txt", &b};
    DrawingArea area = DefaultArea();
    const PooledTable pooled =
        DrawCellTableForRange(area, a, TableKind::Blm, "1", "3000", DisplayColors{}, settings);
    EXPECT_EQ(TableLegendLines(TableLegendFor(pooled, settings)).back().text, "Colours");
    const Colour red = ScaleColourAt(ColourScale{CellStatistic::Mean, -1, 1, true}, 1);
    const Surface& canvas = area.pbGraphContents;
    EXPECT_FALSE(test::Runs(canvas, canvas.image().rect(), red, true).empty());
}

}  // namespace
}  // namespace grafolux
