#include <gtest/gtest.h>

#include <cmath>

#include "tables/CellColours.h"
#include "tables/TableLegend.h"

namespace grafolux {
namespace {

using S = LegendStyle;

TEST(TableLegendLines, SaysWhatDiffersFromTodaysTable) {
    TableLegendInput plain;
    TableLegendInput filtered;
    filtered.conditions = {{"MW2:7", CompareOp::Equal, 1}, {"SENSOR:EGT", CompareOp::Less, 900}};
    filtered.conditionIgnored = {false, true};
    filtered.samplesPassed = 0;
    filtered.samplesInRange = 12000;
    TableLegendInput pooled;
    pooled.loadedLog = "run1.txt";
    pooled.includedLogs = {"run2.txt", "run1.txt"};
    pooled.includedIsLoaded = {false, true};
    pooled.samplesPassed = pooled.samplesInRange = 30;
    pooled.show = {CellStatistic::StdDev, 2};
    pooled.colours = ColourScale{CellStatistic::StdDev, 0, 3};
    const struct {
        const char* what;
        TableLegendInput input;
        std::vector<LegendLine> lines;
    } cases[] = {
        {"plain table", plain, {}},
        {"filters, one ignored, none passing",
         filtered,
         {{"Filters", S::Heading},
          {"MW2:7 = 1", S::Text},
          {"SENSOR:EGT < 900", S::StruckOut},
          {"ignored: no such item", S::Note},
          {"0 of 12,000", S::Text},
          {"samples", S::Text}}},
        {"pooled logs, the shown one twice, std dev, coloured",
         pooled,
         {{"Std Dev", S::Heading},
          {"min. 2 samples", S::Text},
          {"Logs", S::Heading},
          {"run1.txt", S::Text},
          {"run2.txt", S::Text},
          {"run1.txt", S::Text},
          {"the shown log: counts twice", S::Note},
          {"30 of 30", S::Text},
          {"samples", S::Text},
          {"Colours", S::Heading}}},
    };
    for (const auto& c : cases) EXPECT_EQ(TableLegendLines(c.input), c.lines) << c.what;
}

// Widths are the texts' own, measured in the legend's font.
TEST(WrappedLines, AsItIsWhenItFitsElseBrokenAtBlanksAndLongWordsCutShort) {
    Surface legend;
    legend.SetSize(1815, 4000);
    legend.SetFont("Arial", 8);
    const auto width = [&](const char* text) { return legend.TextWidth(text); };
    const struct {
        const char* what;
        QString text;
        double width;
        std::vector<std::string> lines;
    } cases[] = {
        {"fits exactly", "counts twice", width("counts twice"), {"counts twice"}},
        {"a pixel short: broken at the blank",
         "counts twice",
         width("counts twice") - kTwipsPerPixel,
         {"counts", "twice"}},
        {"as many words a line as fit", "aa bb cc dd ee", width("aa bb"), {"aa bb", "cc dd", "ee"}},
        {"blanks of a fitting text kept", "a  b", width("a  b"), {"a  b"}},
        {"a word longer than a line cut short",
         "run-of-the-morning.txt is shown",
         width("run-of-th\u2026"),
         {"run-of-th\u2026", "is shown"}},
        {"empty", "", 0, {""}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        for (const QString& line : WrappedLines(legend, c.text, c.width)) {
            lines.push_back(line.toStdString());
            EXPECT_LE(legend.TextWidth(line), c.width) << c.what << ": " << lines.back();
        }
        EXPECT_EQ(lines, c.lines) << c.what;
    }
}

// The key names where its colours end; a difference's ends as exact as its cells.
TEST(ColourKeyLabels, TheScalesEndsAndMiddleEachFittingItsShare) {
    Surface legend;
    legend.SetSize(1815, 4000);
    legend.SetFont("Arial", 8);
    const double width = 1665;
    const struct {
        const char* what;
        ColourScale key;
        std::string low, middle, high;
    } cases[] = {
        {"trims", {}, "112", "128", "144"},
        {"std dev", {CellStatistic::StdDev, 0, 2.5}, "0.00", "", "2.50"},
        {"mean difference", {CellStatistic::Mean, -2.5, 2.5, true}, "-2.50", "0", "2.50"},
        {"huge difference", {CellStatistic::Mean, -1e308, 1e308, true}, "-1E+308", "0", "1E+308"},
    };
    for (const auto& c : cases) {
        const KeyLabels labels = ColourKeyLabels(legend, c.key, width);
        EXPECT_EQ(labels.low.toStdString(), c.low) << c.what;
        EXPECT_EQ(labels.middle.toStdString(), c.middle) << c.what;
        EXPECT_EQ(labels.high.toStdString(), c.high) << c.what;
    }
}

TEST(ContrastRatio, FromOneForAlikeToTwentyOneForBlackOnWhite) {
    EXPECT_DOUBLE_EQ(ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 21);
    EXPECT_DOUBLE_EQ(ContrastRatio(RGB(255, 255, 255), RGB(0, 0, 0)), 21);
    EXPECT_DOUBLE_EQ(ContrastRatio(RGB(12, 200, 7), RGB(12, 200, 7)), 1);
    EXPECT_NEAR(ContrastRatio(RGB(118, 118, 118), RGB(255, 255, 255)), 4.54, 0.01);
    EXPECT_NEAR(ContrastRatio(RGB(0, 0, 255), RGB(0, 0, 0)), 2.44, 0.01);  // blue weighs little
}

// Every colour either scale can give carries its cell text at a contrast of at least 4.5:1.
TEST(ReadableTextOn, EveryScaleColourKeepsItsTextReadable) {
    for (const auto statistic :
         {CellStatistic::Mean, CellStatistic::Count, CellStatistic::StdDev}) {
        const ColourScale scale{statistic, 0, 1};
        for (int i = 0; i <= 200; ++i) {
            const Colour background = ScaleColourAt(scale, i / 200.0);
            EXPECT_GE(ContrastRatio(background, ReadableTextOn(background)), 4.5)
                << StatisticName(statistic) << " at " << i / 200.0;
        }
    }
}

// The trims' scale is centred on 128 and saturates at 128 -/+ 16; counts and spreads run
// from 0 to the largest value a cell shows.
TEST(ScaleFor, TrimsAroundNeutralCountsAndSpreadFromZero) {
    CellTable table;
    table.count[0][0] = 40;
    table.count[1][1] = 1;
    table.stdDev[0][0] = 2.5;
    table.stdDev[1][1] = 0;
    const ColourScale trims = ScaleFor(table, {CellStatistic::Mean, 1});
    EXPECT_EQ(ScaleColour(trims, 128), ScaleColourAt(trims, 0.5));
    EXPECT_EQ(ScaleColour(trims, 100), ScaleColour(trims, 112));
    EXPECT_EQ(ScaleColour(trims, 1e308), ScaleColour(trims, 144));
    EXPECT_NE(ScaleColour(trims, 127), ScaleColour(trims, 129));
    const ColourScale counts = ScaleFor(table, {CellStatistic::Count, 2});  // 1 is below it
    EXPECT_EQ(counts.low, 0);
    EXPECT_EQ(counts.high, 40);
    const ColourScale spread = ScaleFor(table, {CellStatistic::StdDev, 1});
    EXPECT_EQ(spread.high, 2.5);
    EXPECT_EQ(ScaleFor(CellTable{}, {CellStatistic::Count, 1}).high, 1);  // never empty
}

}  // namespace
}  // namespace grafolux
