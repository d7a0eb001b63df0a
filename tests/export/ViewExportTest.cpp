#include <gtest/gtest.h>

#include "export/ViewExport.h"

namespace grafolux {
namespace {

constexpr int kGraphW = 120, kGraphH = 60, kFrameW = 70, kFrameH = 40, kLegendW = 30;

// pbGraph grey, the canvas twice as wide as the frame with a column's colour telling its x,
// the legend blue; sizes in pixels.
DrawingArea Area(int canvasLeftPx) {
    DrawingArea area;
    auto size = [](Surface& s, int w, int h, Colour back) {
        s.SetBackColor(back);
        s.SetSize(w * kTwipsPerPixel, h * kTwipsPerPixel);
    };
    size(area.pbGraph, kGraphW, kGraphH, RGB(128, 128, 128));
    size(area.pbGraphContainer, kFrameW, kFrameH, 0);
    size(area.pbGraphContents, 2 * kFrameW, kFrameH, 0);
    size(area.pbLegend, kLegendW, 80, RGB(0, 0, 255));
    for (int x = 0; x < 2 * kFrameW; ++x)
        for (int y = 0; y < kFrameH; ++y)
            area.pbGraphContents.image().setPixel(x, y, qRgb(x, 1, 2));
    area.pbGraphContents.SetLeft(canvasLeftPx * kTwipsPerPixel);
    return area;
}

TEST(ComposeView, LegendOnlyInTheGraphView) {
    const DrawingArea area = Area(0);
    for (int mode : {1, 2, 3}) {
        const QImage pic = ComposeView(area, mode);
        const bool legend = mode == 1;
        EXPECT_EQ(pic.size(), QSize(kGraphW + (legend ? kLegendW : 0), kGraphH)) << mode;
        EXPECT_EQ(pic.format(), QImage::Format_RGB32);
        EXPECT_EQ(pic.pixel(0, 0), qRgb(128, 128, 128));
        EXPECT_EQ(pic.pixel(pic.width() - 1, kGraphH - 1),
                  legend ? qRgb(0, 0, 255) : qRgb(128, 128, 128));
    }
}

TEST(ComposeView, CanvasShowsItsVisiblePartAt41And8) {
    const struct {
        int leftPx, firstColumn, lastColumn;
    } cases[] = {{0, 0, 69}, {-50, 50, 119}, {-70, 70, 139}};
    for (const auto& c : cases) {
        const QImage pic = ComposeView(Area(c.leftPx), 2);
        EXPECT_EQ(pic.pixel(41, 8), qRgb(c.firstColumn, 1, 2)) << c.leftPx;
        EXPECT_EQ(pic.pixel(41 + kFrameW - 1, 8 + kFrameH - 1), qRgb(c.lastColumn, 1, 2));
        EXPECT_EQ(pic.pixel(40, 8), qRgb(128, 128, 128));
        EXPECT_EQ(pic.pixel(41, 8 + kFrameH), qRgb(128, 128, 128));
    }
}

TEST(ComposeView, CanvasScrolledPastItsEndLeavesTheGraph) {
    const QImage pic = ComposeView(Area(-100), 1);
    EXPECT_EQ(pic.pixel(41 + 39, 8), qRgb(139, 1, 2));
    EXPECT_EQ(pic.pixel(41 + 40, 8), qRgb(128, 128, 128));
}

}  // namespace
}  // namespace grafolux
