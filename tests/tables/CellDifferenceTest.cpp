#include <gtest/gtest.h>

#include "tables/CellDifference.h"
#include "tables/TableLegend.h"

namespace grafolux {
namespace {

// A cell (row 1, column 1) of `count` samples with these statistics.
CellTable OneCell(int32_t count, double mean, double minimum, double maximum, double stdDev) {
    CellTable table;
    table.count[0][0] = count;
    table.mean[0][0] = mean;
    table.minimum[0][0] = minimum;
    table.maximum[0][0] = maximum;
    table.stdDev[0][0] = stdDev;
    return table;
}

TEST(DifferenceCells, BMinusAWhereBothShowAValueAndCountsAlways) {
    const CellTable a = OneCell(3, 128.5, 120, 140, 2.5);
    const CellTable b = OneCell(5, 120.25, 118, 141, 1);
    const CellTable single = OneCell(1, 130, 130, 130, 0);
    const CellTable none;
    struct Case {
        const char* name;
        const CellTable& before;
        const CellTable& after;
        CellShow show;
        ShownCell expected;
    } cases[] = {
        {"mean", a, b, {}, {-8.25, true}},
        {"minimum", a, b, {CellStatistic::Minimum, 1}, {-2, true}},
        {"maximum", a, b, {CellStatistic::Maximum, 1}, {1, true}},
        {"std dev", a, b, {CellStatistic::StdDev, 1}, {-1.5, true}},
        {"count", a, b, {CellStatistic::Count, 1}, {2, true}},
        {"count, A empty", none, b, {CellStatistic::Count, 1}, {5, false}},
        {"count, B below the minimum", a, b, {CellStatistic::Count, 4}, {2, false}},
        {"mean, A empty", none, b, {}, {120.25, false}},
        {"mean, B empty", a, none, {}, {-128.5, false}},
        {"mean, A below the minimum", a, b, {CellStatistic::Mean, 4}, {-8.25, false}},
        {"std dev of one sample", single, a, {CellStatistic::StdDev, 1}, {2.5, false}},
        {"mean of one sample", single, a, {}, {-1.5, true}},
    };
    for (const Case& c : cases) {
        const ShownCell cell = DifferenceCells(c.before, c.after, c.show)[0][0];
        EXPECT_EQ(cell.value, c.expected.value) << c.name;
        EXPECT_EQ(cell.available, c.expected.available) << c.name;
        EXPECT_FALSE(DifferenceCells(c.before, c.after, c.show)[15][8].available) << c.name;
    }
}

TEST(DifferenceScale, DivergesAroundZeroSaturatingAtTheLargestDifference) {
    const CellTable a = OneCell(30, 128, 120, 140, 2);
    CellTable b = OneCell(7, 130.5, 100, 150, 9.5);
    b.count[3][3] = 45;  // a count A lacks: no difference shown there
    struct Case {
        const char* name;
        CellShow show;
        double reach;
    } cases[] = {
        {"mean", {}, 2.5},
        {"minimum", {CellStatistic::Minimum, 1}, 20},
        {"maximum", {CellStatistic::Maximum, 1}, 10},
        {"count", {CellStatistic::Count, 1}, 23},
        {"std dev", {CellStatistic::StdDev, 1}, 7.5},
    };
    for (const Case& c : cases) {
        const ColourScale scale = DifferenceScale(a, b, c.show);
        EXPECT_EQ(scale.low, -c.reach) << c.name;
        EXPECT_EQ(scale.high, c.reach) << c.name;
        EXPECT_TRUE(IsDiverging(scale)) << c.name;
        // Blue where B is lower, red where higher, dark at 0.
        const Colour lower = ScaleColour(scale, -c.reach), higher = ScaleColour(scale, c.reach);
        EXPECT_GT((lower >> 16) & 0xFF, lower & 0xFF) << c.name;
        EXPECT_GT(higher & 0xFF, (higher >> 16) & 0xFF) << c.name;
        EXPECT_EQ(ScaleColour(scale, 2 * c.reach), higher) << c.name;
    }
    EXPECT_EQ(DifferenceScale(a, OneCell(30, 128.5, 120, 140, 2), {}).high, 1);
}

// The Difference view has a legend even for the plain mean table: what is set against what.
TEST(DifferenceLegend, NamesBothLogsFirst) {
    TableLegendInput input;
    input.loadedLog = "before.txt";
    input.versusLog = "after.txt";
    const std::vector<LegendLine> lines = TableLegendLines(input);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              (LegendLine{QString::fromUtf8("Difference B \u2212 A"), LegendStyle::Heading}));
    EXPECT_EQ(lines[1].text, "A: before.txt");
    EXPECT_EQ(lines[2].text, "B: after.txt");
}

}  // namespace
}  // namespace grafolux
