#include <gtest/gtest.h>

#include "tables/CellDisplay.h"
#include "tables/CellTableDrawing.h"

namespace grafolux {
namespace {

int CountPixels(const QImage& image, QRect rect, Colour colour) {
    int found = 0;
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            found += image.pixel(x, y) == ToQColor(colour).rgb();
    return found;
}

// Drawn over a scrolled graph and a full legend; only the cells of 400 rpm and 20 kPa and of
// 6,400 rpm and 100 kPa hold samples.
TEST(DrawCellTable, ValuesAndNAInTheirBandsLabelsAtTheirEdgesLegendEmptied) {
    DrawingArea area;
    area.pbGraph.SetSize(640 * kTwipsPerPixel, 400 * kTwipsPerPixel);
    area.pbGraphContents.SetLeft(-3000);
    area.pbLegend.SetSize(1500, 1500);
    area.pbLegend.Box(0, 0, 1500, 1500, RGB(255, 0, 0), true);
    area.lngLegendLines = 4;
    CellTable table;
    table.count[0][0] = table.count[15][8] = 1;
    const DisplayColors colors;
    DrawCellTable(area, table, colors);

    // Where the grid stands is the coloured table's golden picture (tests/views).
    EXPECT_EQ(area.pbGraphContents.Left(), 0);
    EXPECT_EQ(area.lngLegendLines, 0);
    EXPECT_EQ(CountPixels(area.pbLegend.image(), area.pbLegend.image().rect(), RGB(255, 0, 0)), 0);

    const QImage graph = area.pbGraph.image(), canvas = area.pbGraphContents.image();
    const double H = 400 * 15 - 420, h = H / 16, w = area.pbGraphContents.Width() / 9;
    int yellowInBands = 0;
    for (int k = 1; k <= kTableRows; ++k) {
        for (int m = 1; m <= kTableColumns; ++m) {
            const QRect band(TwipsToPixels(w * (m - 1) - 15) + 2, TwipsToPixels(H - h * k) + 2,
                             TwipsToPixels(w) - 3, TwipsToPixels(h) - 3);
            const int yellow = CountPixels(canvas, band, RGB(255, 255, 0));
            const bool filled = table.count[k - 1][m - 1] != 0;
            EXPECT_EQ(yellow > 0, filled) << "row " << k << " column " << m;
            EXPECT_EQ(CountPixels(canvas, band, RGB(128, 128, 128)) > 0, !filled) << k << m;
            yellowInBands += yellow;
        }
    }
    EXPECT_EQ(CountPixels(canvas, canvas.rect(), RGB(255, 255, 0)), yellowInBands);

    const int edge = 525 / kTwipsPerPixel;  // row labels end there
    EXPECT_GT(CountPixels(graph, QRect(edge - 3, 0, 3, 400), colors.lngTextColor), 0);
    EXPECT_EQ(CountPixels(graph, QRect(edge, 0, 640, 400), colors.lngTextColor), 0);

    DrawCellTable(area, table, colors);  // nothing accumulates between drawings
    EXPECT_EQ(area.pbGraph.image(), graph);
    EXPECT_EQ(area.pbGraphContents.image(), canvas);
}

// A number too wide for its cell shows in a compact form within the cell: the text of each
// cell stays in its band, whatever the statistic.
TEST(DrawCellTable, NumbersTooWideForTheirCellsStayInThem) {
    const struct {
        const char* what;
        CellStatistic statistic;
        double value;
    } cases[] = {
        {"a mean near the largest double", CellStatistic::Mean, 1e308},
        {"a negative minimum", CellStatistic::Minimum, -1.7e308},
        {"a spread", CellStatistic::StdDev, 4e307},
    };
    for (const auto& c : cases) {
        DrawingArea area;
        area.pbGraph.SetSize(537 * kTwipsPerPixel, 289 * kTwipsPerPixel);
        CellTable table;
        for (auto* grid : {&table.mean, &table.minimum, &table.maximum, &table.stdDev})
            (*grid)[4][4] = c.value;
        table.count[4][4] = 2;
        DrawCellTable(area, table, DisplayColors{}, {{c.statistic, 1}, false});
        const QImage canvas = area.pbGraphContents.image();
        const double H = area.pbGraphContainer.Height() - 300, h = H / 16,
                     w = area.pbGraphContents.Width() / 9;
        const QRect band(TwipsToPixels(w * 4 - 15), TwipsToPixels(H - h * 5), TwipsToPixels(w),
                         TwipsToPixels(h));
        const int yellow = CountPixels(canvas, canvas.rect(), RGB(255, 255, 0));
        EXPECT_GT(yellow, 0) << c.what;
        EXPECT_EQ(CountPixels(canvas, band, RGB(255, 255, 0)), yellow) << c.what;
    }
}

}  // namespace
}  // namespace grafolux
