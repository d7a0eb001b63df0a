#include <gtest/gtest.h>

#include "MapOf.h"
#include "tables/CellColours.h"
#include "tables/RetuneDrawing.h"

namespace grafolux {
namespace {

RetuneCell Trusted(double change) {
    RetuneCell cell;
    cell.trusted = true;
    cell.change = cell.factor = change;
    cell.weight = 6;
    cell.samples = 7;
    return cell;
}

// A map of `rows` × `columns` cells whose first four cells are: raised by the largest change,
// lowered by it, unchanged, not trusted; the rest unchanged.
struct Drawn {
    FuelMap map;
    RetuneResult result;
    DrawingArea area;
    Drawn(int rows, int columns, int width, int height) {
        std::string text = "RPM";
        for (int j = 0; j < columns; ++j) (text += '\t') += std::to_string(10 + j);
        for (int i = 0; i < rows; ++i) {
            (text += '\n') += std::to_string(1000 + 100 * i);
            for (int j = 0; j < columns; ++j) text += "\t50.0";
        }
        map = MapOf(text);
        result.cells.assign(map.cells.size(), Trusted(1));
        result.cells[0] = Trusted(1.1);
        result.cells[1] = Trusted(0.9);
        result.cells[3] = RetuneCell();
        for (size_t c = 0; c < map.cells.size(); ++c)
            result.cells[c].value = result.cells[c].trusted ? 50 * result.cells[c].change : 50;
        area.pbGraph.SetSize(width * kTwipsPerPixel, height * kTwipsPerPixel);
        area.pbLegend.SetSize(1500, 1500);
        DrawRetuneMap(area, map, result, 10, DisplayColors());
    }
    // Canvas pixels of cell (row, column): its corner just inside the grid lines, its middle.
    QPoint Corner(size_t row, size_t column) const { return At(row, column, 0.1); }
    QPoint Middle(size_t row, size_t column) const { return At(row, column, 0.5); }
    QPoint At(size_t row, size_t column, double within) const {
        const double H = area.pbGraphContents.Height() - kBottomStrip;
        const double h = H / map.rowCount(), w = area.pbGraphContents.Width() / map.columnCount();
        return {TwipsToPixels(w * (column + within)), TwipsToPixels(H - h * (row + 1 - within))};
    }
    Colour Pixel(QPoint p) const { return FromQColor(area.pbGraphContents.image().pixelColor(p)); }
};

// Each cell in its change's colour, the untrusted one grey, the lowest speed at the bottom;
// the mouse finds the cells back; values only where they fit.
TEST(DrawRetuneMap, CellsColouredByChangeUntrustedGreyValuesWhereTheyFit) {
    const Drawn small(3, 4, 640, 400);
    const ColourScale scale = ChangeScale(10);
    struct Case {
        const char* name;
        size_t cell;
        Colour colour;
    } cases[] = {
        {"raised by the largest change: the red end", 0, ScaleColourAt(scale, 1)},
        {"lowered by it: the blue end", 1, ScaleColourAt(scale, 0)},
        {"unchanged: the neutral middle", 2, ScaleColourAt(scale, 0.5)},
        {"not trusted: grey", 3, kUntrustedCellColour},
    };
    EXPECT_NE(ScaleColourAt(scale, 1), ScaleColourAt(scale, 0));
    for (const Case& c : cases) {
        const size_t row = c.cell / 4, column = c.cell % 4;
        EXPECT_EQ(small.Pixel(small.Corner(row, column)), c.colour) << c.name;
        EXPECT_EQ(RetuneCellColour(small.result.cells[c.cell], 10), c.colour) << c.name;
        EXPECT_EQ(RetuneCellAt(small.area.pbGraphContents, small.Middle(row, column), small.map),
                  (MapCell{row, column}))
            << c.name;
    }
    // Row 0 (1000 rpm) at the bottom: the top row's corner is neutral.
    EXPECT_EQ(small.Pixel(small.Corner(2, 0)), ScaleColourAt(scale, 0.5));
    EXPECT_EQ(RetuneCellAt(small.area.pbGraphContents, QPoint(5, 395 - 8 - 1), small.map),
              std::nullopt);  // the label strip
    // "55.0" fits a cell of 148 × 63 pixels: text in the raised cell's middle.
    const QPoint middle = small.Middle(0, 0);
    int text = 0;
    for (int dx = -12; dx <= 12; ++dx)
        text += small.Pixel(middle + QPoint(dx, 0)) != ScaleColourAt(scale, 1);
    EXPECT_GT(text, 0);

    // 64 × 64 at the window's first size: every cell's middle holds its colour, no text.
    const Drawn large(64, 64, 537, 289);
    for (size_t c = 0; c < large.map.cells.size(); ++c) {
        const size_t row = c / 64, column = c % 64;
        ASSERT_EQ(large.Pixel(large.Middle(row, column)),
                  RetuneCellColour(large.result.cells[c], 10))
            << "row " << row << " column " << column;
    }
}

// 12,000 samples in range: 3,000 fail a filter (2,000 CTS, 1,500 RPM, 500 of them both), 500
// more lack a value.
TEST(RetuneLegend, ListsTheEvidenceWithTheTotalDroppedAndStrikesAnIgnoredFilter) {
    RetuneLegendInput in;
    in.settings.maxChange = 7.5;
    in.logs = {"run1.txt", "run2.txt"};
    in.conditions = {{"SENSOR:CTS", CompareOp::GreaterEqual, 80},
                     {"SENSOR:RPM", CompareOp::Greater, 500},
                     {"MW2:7", CompareOp::Equal, 1}};
    in.conditionIgnored = {false, false, true};
    in.evidence.samplesInRange = 12000;
    in.evidence.samplesUsed = 8500;
    in.evidence.failedCondition = {2000, 1500, 0};
    in.evidence.missingAny = 500;
    in.evidence.trustedCells = 3;
    in.evidence.cells = 9;
    const auto text = [](const std::vector<LegendLine>& lines) {
        QStringList texts;
        for (const LegendLine& line : lines)
            texts << QString::number(static_cast<int>(line.style)) + ":" + line.text;
        return texts.join('|').toStdString();
    };
    EXPECT_EQ(text(RetuneLegendLines(in)),
              "0:Retune|1:BLM × INT ÷ 16384|1:bilinear cells|1:min. weight 5|"
              "1:max. change ±7.5 %|0:Logs|1:run1.txt|1:run2.txt|0:Samples|"
              "1:8,500 used of 12,000|1:3,500 dropped|1:no value: 500|3:each filter alone:|"
              "1:SENSOR:CTS ≥ 80: 2,000|1:SENSOR:RPM > 500: 1,500|2:MW2:7 = 1: 0|"
              "3:ignored: no such item|0:Cells|"
              "1:3 of 9 trusted|0:Change %");
    in = {};  // nothing dropped: nothing said of it
    in.factor = "F";
    in.evidence.samplesInRange = in.evidence.samplesUsed = 100;
    EXPECT_EQ(text(RetuneLegendLines(in)),
              "0:Retune|1:F|1:bilinear cells|1:min. weight 5|1:max. change ±10 %|0:Logs|"
              "0:Samples|1:100 used of 100|0:Cells|1:0 of 0 trusted|0:Change %");
}

TEST(RetuneCellSummary, GivesOldNewChangeWeightFactorAndSamples) {
    const Drawn small(3, 4, 640, 400);
    EXPECT_EQ(RetuneCellSummary(small.map, small.result, {0, 1}).toStdString(),
              "1000 rpm, 11 kPa\nold 50.0, new 45.0\nchange -10.0 %\nW 6.00, F 0.9000\n7 samples");
    EXPECT_EQ(RetuneCellSummary(small.map, small.result, {0, 3}).toStdString(),
              "1000 rpm, 13 kPa\nold 50.0, new 50.0\nunchanged: not trusted\nW 0.00, F N/A\n"
              "0 samples");
}

}  // namespace
}  // namespace grafolux
