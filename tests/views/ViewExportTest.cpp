#include <gtest/gtest.h>

#include "views/ViewExport.h"

namespace grafolux {
namespace {

constexpr QRgb kPureGrey = qRgb(128, 128, 128), kPureBlue = qRgb(0, 0, 255);

// pbGraph 120 x 60 grey, the frame 70 x 40, the canvas 140 x 40 with column x coloured (x, 1, 2),
// the legend 30 x 80 blue.
DrawingArea Area(int canvasLeftPx) {
    DrawingArea area;
    const auto size = [](Surface& s, int w, int h, Colour back) {
        s.SetBackColor(back);
        s.SetSize(w * kTwipsPerPixel, h * kTwipsPerPixel);
    };
    size(area.pbGraph, 120, 60, RGB(128, 128, 128));
    size(area.pbGraphContainer, 70, 40, 0);
    size(area.pbGraphContents, 140, 40, 0);
    size(area.pbLegend, 30, 80, RGB(0, 0, 255));
    for (int n = 0; n < 140 * 40; ++n)
        area.pbGraphContents.image().setPixel(n % 140, n / 140, qRgb(n % 140, 1, 2));
    area.pbGraphContents.SetLeft(canvasLeftPx * kTwipsPerPixel);
    return area;
}

// The legend in the graph view, and in a table view only when it shows something; the canvas
// seen through the frame at (41, 8) px, and pbGraph where the canvas ends.
TEST(ComposeView, LegendAndVisiblePartOfTheCanvas) {
    const struct {
        const char* name;
        ViewMode mode;
        int leftPx, width, firstColumn, lastColumn, legendLines = 0;
    } cases[] = {{"graph", ViewMode::Graph, 0, 150, 0, 69},
                 {"BLM scrolled", ViewMode::Blm, -50, 120, 50, 119},
                 {"INT scrolled to its end", ViewMode::Int, -70, 120, 70, 139},
                 {"graph scrolled past the canvas", ViewMode::Graph, -100, 150, 100, -1},
                 {"BLM with a legend", ViewMode::Blm, 0, 150, 0, 69, 3}};
    for (const auto& c : cases) {
        DrawingArea area = Area(c.leftPx);
        area.lngLegendLines = c.legendLines;
        const QImage pic = ComposeView(area, c.mode);
        EXPECT_EQ(ComposedSize(area.pbGraph.image().size(), 30, c.mode, c.legendLines > 0),
                  pic.size())
            << c.name;
        const auto at = [&](int x, int y) { return pic.pixel(41 + x, 8 + y); };
        EXPECT_EQ(pic.size(), QSize(c.width, 60)) << c.name;
        EXPECT_EQ(pic.pixel(c.width - 1, 59), c.width == 150 ? kPureBlue : kPureGrey) << c.name;
        EXPECT_EQ(at(0, 0), qRgb(c.firstColumn, 1, 2)) << c.name;
        EXPECT_EQ(at(69, 39), c.lastColumn < 0 ? kPureGrey : qRgb(c.lastColumn, 1, 2)) << c.name;
        EXPECT_EQ(at(-1, 0), kPureGrey) << c.name;
        EXPECT_EQ(at(0, 40), kPureGrey) << c.name;
    }
}

}  // namespace
}  // namespace grafolux
