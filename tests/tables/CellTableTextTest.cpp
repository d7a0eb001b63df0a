#include <gtest/gtest.h>

#include <algorithm>

#include "tables/CellTableText.h"

namespace grafolux {
namespace {

CellTable TwoCells() {
    CellTable table;
    table.count[0][0] = 2;
    table.mean[0][0] = 0.15000000000000002;
    table.minimum[0][0] = 0.1;
    table.maximum[0][0] = 0.2;
    table.stdDev[0][0] = 0.07071067811865475;
    table.count[15][8] = 1;
    table.mean[15][8] = table.minimum[15][8] = table.maximum[15][8] = -3;
    return table;
}

TEST(CellTableText, ShortestRoundTripValuesAndNAPerStatistic) {
    const std::string na8 = "\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A";
    struct Case {
        CellShow show;
        std::string first, last;
    } cases[] = {
        {{}, "400\t0.15000000000000002" + na8, "6400" + na8 + "\t-3"},
        {{CellStatistic::Count, 1},
         "400\t2\t0\t0\t0\t0\t0\t0\t0\t0",
         "6400\t0\t0\t0\t0\t0\t0\t0\t0\t1"},
        {{CellStatistic::Minimum, 2}, "400\t0.1" + na8, "6400" + na8 + "\tN/A"},
        {{CellStatistic::Maximum, 1}, "400\t0.2" + na8, "6400" + na8 + "\t-3"},
        {{CellStatistic::StdDev, 1}, "400\t0.07071067811865475" + na8, "6400" + na8 + "\tN/A"},
    };
    for (const Case& c : cases) {
        const std::string text = CellTableText(TwoCells(), c.show);
        SCOPED_TRACE(StatisticName(c.show.statistic));
        EXPECT_TRUE(text.starts_with("RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n" + c.first + "\n"))
            << text;
        EXPECT_TRUE(text.ends_with("\n" + c.last + "\n")) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
    }
}

TEST(CellTableCsv, CommaSeparatedWithEmptyCellsAndCrLf) {
    const std::string csv = CellTableCsv(TwoCells(), {});
    EXPECT_TRUE(
        csv.starts_with("RPM,20,30,40,50,60,70,80,90,100\r\n"
                        "400,0.15000000000000002,,,,,,,,\r\n800,,,,,,,,,\r\n"));
    EXPECT_TRUE(csv.ends_with("\r\n6400,,,,,,,,,-3\r\n"));
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"12.5", "12.5"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"cr\r", "\"cr\r\""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(CsvField(in), out) << in;
}

}  // namespace
}  // namespace grafolux
