#include <gtest/gtest.h>

#include <random>

#include "support/DrawingTestKit.h"
#include "tables/CellAtPoint.h"
#include "tables/CellSamples.h"
#include "tables/CellTableDrawing.h"

namespace grafolux {
namespace {

using Runs = std::vector<SampleMarks::Run>;

// Samples given as {rpm, map, cts}.
LogData Log(const std::vector<std::vector<double>>& samples) {
    return test::MakeLogOfRows({"SENSOR:RPM", "SENSOR:MAP", "SENSOR:CTS"}, samples);
}

SampleCondition Condition(const char* text) {
    return std::get<SampleCondition>(ParseCondition(text));
}

// Cell 1,200 rpm x 50 kPa: rpm 1000 up to 1400, map 45 up to 55.
TEST(MarkCellSamples, RunsAtTheRangesEndsBoundsAndFilters) {
    const LogData log = Log({{1000, 50, 90},
                             {1399.99, 54.99, 90},
                             {1400, 50, 90},  // the next row
                             {1200, 44.99, 90},
                             {1200, 45, 20},
                             {1200, 50, 90},
                             {999.99, 50, 90},
                             {1100, 46, 90}});
    const CellAddress cell{3, 4};
    const std::vector<SampleCondition> warm = {Condition("SENSOR:CTS>=80")};
    const std::vector<SampleCondition> cold = {Condition("SENSOR:CTS<0")};
    const struct {
        const char* what;
        int32_t first, last;
        std::vector<SampleCondition> conditions;
        Runs runs;
    } cases[] = {
        {"whole log", 1, 8, {}, {{1, 2}, {5, 6}, {8, 8}}},
        {"range cuts runs", 2, 5, {}, {{2, 2}, {5, 5}}},
        {"range beyond the log", -4, 90, {}, {{1, 2}, {5, 6}, {8, 8}}},
        {"crossed range", 6, 5, {}, {}},
        {"filter splits a run", 1, 8, warm, {{1, 2}, {6, 6}, {8, 8}}},
        {"filter empties the cell", 1, 8, cold, {}},
    };
    for (const auto& c : cases) {
        const SampleMarks marks =
            MarkCellSamples(log, cell, c.first, c.last, SampleFilter(log, c.conditions));
        EXPECT_EQ(marks.Runs(), c.runs) << c.what;
    }
    const LogData noMap = test::MakeLog({{"SENSOR:RPM", {1200, 1200}}, {"SENSOR:BLM", {50, 50}}});
    EXPECT_EQ(MarkCellSamples(noMap, cell, 1, 2).Runs(), Runs{});  // MAP reads 0: no cell
    EXPECT_EQ(MarkCellSamples(LogData{}, cell, 1, 1).Runs(), Runs{});
}

// Over noisy samples, filtered or not, every cell marks as many samples as the table counts.
TEST(MarkCellSamples, AgreesWithTheTablesCounts) {
    std::mt19937 random(7);
    std::vector<std::vector<double>> samples;
    for (int s = 0; s < 20000; ++s)
        samples.push_back({random() % 70000 / 10.0 - 100, random() % 1200 / 10.0,
                           static_cast<double>(random() % 100)});
    const LogData log = Log(samples);
    for (const auto& conditions : {std::vector<SampleCondition>{},
                                   std::vector<SampleCondition>{Condition("SENSOR:CTS>40")}}) {
        const SampleFilter filter(log, conditions);
        const CellTable table = ComputeCellTable(log, TableKind::Blm, 100, 19000, filter);
        for (int k = 1; k <= kTableRows; ++k)
            for (int m = 1; m <= kTableColumns; ++m) {
                int32_t marked = 0;
                for (const auto& run : MarkCellSamples(log, {k, m}, 100, 19000, filter).Runs())
                    marked += run.last - run.first + 1;
                EXPECT_EQ(marked, table.count[k - 1][m - 1]) << k << " " << m;
            }
    }
}

TEST(CellSummary, NameBoundsCountAndStatistics) {
    CellTable table;
    table.count[2][3] = 1234;
    table.mean[2][3] = 128.5;
    table.minimum[2][3] = 120;
    table.maximum[2][3] = 135.25;
    table.stdDev[2][3] = 3.214;
    table.count[0][0] = 1;
    table.mean[0][0] = table.minimum[0][0] = table.maximum[0][0] = 7;
    EXPECT_EQ(CellSummary(table, TableKind::Blm, {3, 4}),
              QString::fromUtf8("BLM cell 1,200 rpm \u00d7 50 kPa\n"
                                "RPM from 1,000 to under 1,400, MAP from 45 to under 55 kPa\n"
                                "1,234 samples\n"
                                "Mean 128.50, minimum 120.00, maximum 135.25\n"
                                "Std dev 3.21"));
    EXPECT_EQ(CellSummary(table, TableKind::Int, {1, 1}),
              QString::fromUtf8("INT cell 400 rpm \u00d7 20 kPa\n"
                                "RPM from 200 to under 600, MAP from 15 to under 25 kPa\n"
                                "1 sample\n"
                                "Mean 7.00, minimum 7.00, maximum 7.00\n"
                                "Std dev N/A (one sample)"));
    EXPECT_EQ(CellSummary(table, TableKind::Int, {16, 9}),
              QString::fromUtf8("INT cell 6,400 rpm \u00d7 100 kPa\n"
                                "RPM from 6,200 to under 6,600, MAP from 95 to under 105 kPa\n"
                                "No samples"));
}

// The middle of each value as drawn, one cell at a time, lies in that cell; the label
// strip and the edges of the grid in none.
TEST(CellAtPoint, CellOfTheValueDrawnThere) {
    DrawingArea area;
    area.pbGraph.SetSize(640 * kTwipsPerPixel, 400 * kTwipsPerPixel);
    const Surface& canvas = area.pbGraphContents;
    for (const CellAddress cell : {CellAddress{1, 1}, CellAddress{16, 9}, CellAddress{7, 5},
                                   CellAddress{2, 8}, CellAddress{15, 2}}) {
        CellTable table;
        table.count[cell.row - 1][cell.column - 1] = 1;
        DrawCellTable(area, table, {});
        const auto rows = test::Runs(canvas, canvas.image().rect(), RGB(255, 255, 0), false);
        const auto columns = test::Runs(canvas, canvas.image().rect(), RGB(255, 255, 0), true, 3);
        ASSERT_EQ(rows.size(), 1u);
        ASSERT_EQ(columns.size(), 1u);
        const QPoint middle((columns[0].begin + columns[0].end) / 2,
                            (rows[0].begin + rows[0].end) / 2);
        EXPECT_EQ(CellAtPoint(canvas, middle), cell) << cell.row << " " << cell.column;
    }
    const int width = canvas.image().width(),
              bottom = TwipsToPixels(canvas.Height() - kBottomStrip);
    EXPECT_EQ(CellAtPoint(canvas, {0, bottom - 1}), (CellAddress{1, 1}));
    EXPECT_EQ(CellAtPoint(canvas, {width - 2, 0}), (CellAddress{16, 9}));
    for (const QPoint outside : {QPoint(5, bottom + 3), QPoint(width - 1, 5), QPoint(-3, 5),
                                 QPoint(5, -1), QPoint(width + 4, 5)})
        EXPECT_EQ(CellAtPoint(canvas, outside), std::nullopt) << outside.x() << " " << outside.y();
}

}  // namespace
}  // namespace grafolux
