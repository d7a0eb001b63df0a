#include "tables/CellTableDrawing.h"

#include <optional>

#include "draw/NumberFormat.h"
#include "logdata/Rounding.h"
#include "tables/CellColours.h"
#include "tables/CellLabels.h"

namespace grafolux {

namespace {

constexpr int kColumnOverhang = 60;  // column lines reach into the label strip
constexpr Colour kCellColor = RGB(255, 255, 0);
constexpr Colour kEmptyCellColor = RGB(128, 128, 128);

}  // namespace

void DrawCellTable(DrawingArea& area, const CellTable& table, const DisplayColors& colors,
                   const CellLook& look) {
    DrawShownCells(area, CellsShown(table, look.show), look.show.statistic,
                   look.coloured ? std::optional(ScaleFor(table, look.show)) : std::nullopt,
                   colors);
}

void DrawShownCells(DrawingArea& area, const ShownCells& cells, CellStatistic statistic,
                    const std::optional<ColourScale>& scale, const DisplayColors& colors) {
    Surface& graph = area.pbGraph;
    Surface& contents = area.pbGraphContents;
    graph.SetFont("Arial", 7);
    contents.SetFont("Arial", 7);

    const PlotSize plot = PlaceCanvas(area, 1);
    const double H = plot.H, Wc = plot.CW;
    graph.Cls();
    contents.Cls();
    contents.SetLeft(0);  // a table is never scrolled sideways

    const double h = H / kTableRows;
    const double w = Wc / kTableColumns;
    // Cells as bands from x = w * (m - 1) - 15 and y = H - h * k; the grid is drawn over them.
    const auto cellColour = [&](int k, int m) -> std::optional<Colour> {
        const ShownCell& cell = cells[k - 1][m - 1];
        if (!scale || !cell.available) return std::nullopt;
        return ScaleColour(*scale, cell.value);
    };
    for (int k = 1; k <= kTableRows; ++k)
        for (int m = 1; m <= kTableColumns; ++m)
            if (const auto colour = cellColour(k, m)) {
                const double x = w * (m - 1) - kColumnOffset, y = H - h * k;
                contents.Box(x, y, x + w, y + h, *colour, true);
            }

    // Row lines with their ticks; each row label is centred in the band above its line.
    for (int i = 0; i <= kTableRows; ++i) {
        const double y = H - h * i;
        graph.SetForeColor(colors.lngGridColor);
        contents.SetForeColor(colors.lngGridColor);
        graph.Line(kMarginLeft - kRowTickLength, kMarginTop + y, kMarginLeft, kMarginTop + y);
        contents.Line(0, y, Wc, y);
        if (i < kTableRows) {
            graph.SetForeColor(colors.lngTextColor);
            const QString label = FormatGrouped(RowRpm(i + 1), 0);
            graph.PrintAt(kMarginLeft - kRowTickLength - kRowLabelGap - graph.TextWidth(label),
                          kMarginTop + y - h / 2 - graph.TextHeight(label) / 2, label);
        }
    }

    // Column lines; each column label is centred under the band right of its line.
    for (int j = 0; j <= kTableColumns; ++j) {
        const double x = w * j - kColumnOffset;
        contents.SetForeColor(colors.lngGridColor);
        contents.Line(x, 0, x, H + kColumnOverhang);
        if (j < kTableColumns) {
            const QString label = FormatGrouped(ColumnMap(j + 1), 0);
            contents.SetForeColor(colors.lngTextColor);
            contents.PrintAt(x + w / 2 - contents.TextWidth(label) / 2, H + kColumnOverhang, label);
        }
    }

    ClearLegend(area);

    for (int k = 1; k <= kTableRows; ++k) {
        for (int m = 1; m <= kTableColumns; ++m) {
            const ShownCell& cell = cells[k - 1][m - 1];
            const bool count = statistic == CellStatistic::Count;
            // A number too wide for its cell in a compact form, not across its neighbours.
            const QString text = cell.available || count
                                     ? FittedNumber(contents, cell.value, DecimalsOf(statistic), w)
                                     : "N/A";
            const auto colour = cellColour(k, m);
            contents.SetForeColor(colour           ? ReadableTextOn(*colour)
                                  : cell.available ? kCellColor
                                                   : kEmptyCellColor);
            const double y = H - h * (k - 1);
            const double x = w * (m - 1) - kColumnOffset;
            contents.PrintAt(x + w / 2 - contents.TextWidth(text) / 2,
                             y - h / 2 - contents.TextHeight(text) / 2, text);
        }
    }
}

}  // namespace grafolux
