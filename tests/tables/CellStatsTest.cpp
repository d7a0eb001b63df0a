#include <gtest/gtest.h>

#include <cmath>

#include "tables/CellStats.h"
#include "tables/CellTableText.h"

namespace grafolux {
namespace {

const std::vector<std::string> kItems = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM", "SENSOR:INT"};

// `samples` lists each sample's values in item order.
LogData MakeLog(const std::vector<std::string>& names,
                const std::vector<std::vector<double>>& samples) {
    LogData log;
    log.lngItemCount = static_cast<int32_t>(names.size());
    log.lngSampleCount = static_cast<int32_t>(samples.size());
    for (const std::string& name : names) log.udtItems.push_back({name});
    for (size_t k = 0; k < names.size(); ++k)
        for (const auto& sample : samples) log.dblSamples.push_back(sample[k]);
    return log;
}

// Named edges, negatives, NaN and a few units in the last place around every bound, where a
// rounded division and a multiplication part ways: bins follow floor((v + half) / width).
TEST(ComputeCellTable, BinsAsTheRoundingFormulaToTheLastBit) {
    for (const bool rows : {true, false}) {
        const double half = rows ? 200 : 5, width = rows ? 400 : 10;
        const int first = rows ? 1 : 2, last = rows ? kTableRows : kTableColumns + 1;
        std::vector<double> values = {199.99, 6599.99, 14.99, 104.99,  -400,
                                      -0.0,   NAN,     1e300, INFINITY};
        for (int bin = first; bin <= last + 1; ++bin)
            for (double v = bin * width - half, i = 0; i < 5; ++i, v = std::nextafter(v, 0.0))
                values.insert(values.end(), {v, -v + 2 * (bin * width - half)});
        std::vector<std::vector<double>> samples;
        std::vector<int> expected(last + 1, 0);
        for (double v : values) {
            samples.push_back({rows ? v : 1000, rows ? 50 : v, 0, 0});
            const double b = std::floor((v + half) / width);
            if (b >= first && b <= last) ++expected[static_cast<int>(b)];
        }
        const CellTable table =
            ComputeCellTable(MakeLog(kItems, samples), TableKind::Blm, 1, 1 << 30);
        for (int b = first; b <= last; ++b)
            EXPECT_EQ(rows ? table.count[b - 1][3] : table.count[2][b - 2], expected[b]) << b;
    }
}

TEST(ComputeCellTable, MeanIsTheSumInSampleOrderOverTheCount) {
    // In sample order 1e16 + 1 rounds back to 1e16, so the cell of 1,200 rpm sums to 0.
    const std::vector<std::vector<double>> samples = {
        {1000, 50, 1e16}, {2000, 50, 127}, {1000, 50, 1}, {2000, 50, 130}, {1000, 50, -1e16}};
    const CellTable table = ComputeCellTable(MakeLog({kItems.begin(), kItems.begin() + 3}, samples),
                                             TableKind::Blm, 1, 5);
    EXPECT_EQ(table.mean[2][3], 0.0);
    EXPECT_EQ(table.count[2][3], 3);
    EXPECT_EQ(table.mean[4][3], 128.5);
}

TEST(ComputeCellTable, ReadsTheRangeAndTheLastItemOfEachName) {
    std::vector<std::vector<double>> samples;
    for (double i = 0; i < 5; ++i) samples.push_back({1000, 50, 10 + i, 20 + i, 110 + i});
    std::vector<std::string> twoBlm = kItems;
    twoBlm.push_back("SENSOR:BLM");
    struct Case {
        std::vector<std::string> names;
        TableKind kind;
        int32_t first, last, count;
        double mean;
    } cases[] = {
        {kItems, TableKind::Blm, 3, 3, 1, 12},
        {kItems, TableKind::Blm, 5, 4, 0, 0},
        {kItems, TableKind::Blm, -3, 900, 5, 12},
        {kItems, TableKind::Int, 1, 2, 2, 20.5},
        {twoBlm, TableKind::Blm, 1, 5, 5, 112},
        {{"SENSOR:RPM", "SENSOR:MAP"}, TableKind::Blm, 1, 5, 5, 0},
        {{"SENSOR:RPM", "SENSOR:BLM"}, TableKind::Blm, 1, 5, 0, 0},
    };
    for (const Case& c : cases) {
        const CellTable table =
            ComputeCellTable(MakeLog(c.names, samples), c.kind, c.first, c.last);
        EXPECT_EQ(table.count[2][3], c.count) << c.first << ".." << c.last;
        EXPECT_EQ(table.mean[2][3], c.mean) << c.first << ".." << c.last;
    }
}

TEST(CellTableText, ShortestRoundTripMeansAndNA) {
    const std::string text = CellTableText(ComputeCellTable(
        MakeLog(kItems, {{400, 20, 0.1, 0}, {400, 20, 0.2, 0}}), TableKind::Blm, 1, 2));
    EXPECT_TRUE(text.starts_with(
        "RPM\t20\t30\t40\t50\t60\t70\t80\t90\t100\n400\t0.15000000000000002\tN/A\t"));
    EXPECT_TRUE(text.ends_with("\n6400\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A\n"));
}

}  // namespace
}  // namespace grafolux
