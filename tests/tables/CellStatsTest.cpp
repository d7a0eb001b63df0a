#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numeric>

#include "support/DrawingTestKit.h"
#include "tables/CellDisplay.h"
#include "tables/CellStats.h"
#include "tables/CellTableText.h"

namespace grafolux {
namespace {

const std::vector<std::string> kItems = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM", "SENSOR:INT"};

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
            ComputeCellTable(test::MakeLogOfRows(kItems, samples), TableKind::Blm, 1, 1 << 30);
        for (int b = first; b <= last; ++b)
            EXPECT_EQ(rows ? table.count[b - 1][3] : table.count[2][b - 2], expected[b]) << b;
    }
}

// Plain addition in sample order would absorb the 1 into 1e16 and give 0 in some orders.
TEST(ComputeCellTable, MeanIsTheExactSumOverTheCountInAnyOrder) {
    std::vector<std::vector<double>> samples = {
        {1000, 50, 1e16}, {2000, 50, 127}, {1000, 50, 1}, {2000, 50, 130}, {1000, 50, -1e16}};
    do {
        const CellTable table =
            ComputeCellTable(test::MakeLogOfRows({kItems.begin(), kItems.begin() + 3}, samples),
                             TableKind::Blm, 1, 5);
        EXPECT_EQ(table.mean[2][3], 1.0 / 3);
        EXPECT_EQ(table.count[2][3], 3);
        EXPECT_EQ(table.mean[4][3], 128.5);
    } while (std::next_permutation(samples.begin(), samples.end()));
}

// Every statistic of every cell against a direct computation: two passes for the spread.
// The values sit on a large offset where a sum of squares would lose every digit.
TEST(ComputeCellTable, EveryStatisticEqualsADirectComputation) {
    std::vector<std::vector<double>> samples;
    std::map<std::pair<int, int>, std::vector<double>> byCell;
    for (int i = 0; i < 400; ++i) {
        const double rpm = 200 + (i * 37) % 6400, map = 15 + (i * 13) % 90;  // bin edges too
        const double value = 1e9 + (i * 7919) % 31 - 15 + (i % 3) * 0.25;
        samples.push_back({rpm, map, value, 0});
        byCell[{static_cast<int>(std::floor((rpm + 200) / 400)),
                static_cast<int>(std::floor((map + 5) / 10)) - 1}]
            .push_back(value);
    }
    samples.push_back({6400, 100, 77, 0});  // a cell of one sample
    byCell[{16, 9}].push_back(77);
    const CellTable table =
        ComputeCellTable(test::MakeLogOfRows(kItems, samples), TableKind::Blm, 1, 1000);
    for (const auto& [cell, values] : byCell) {
        const auto [k, m] = cell;
        const double n = static_cast<double>(values.size());
        double sum = 0;
        for (double v : values) sum += v;
        double squares = 0;
        for (double v : values) squares += (v - sum / n) * (v - sum / n);
        SCOPED_TRACE(testing::Message() << "row " << k << " column " << m);
        EXPECT_EQ(table.count[k - 1][m - 1], static_cast<int32_t>(values.size()));
        EXPECT_EQ(table.mean[k - 1][m - 1], sum / n);
        EXPECT_EQ(table.minimum[k - 1][m - 1], *std::min_element(values.begin(), values.end()));
        EXPECT_EQ(table.maximum[k - 1][m - 1], *std::max_element(values.begin(), values.end()));
        const double sd = values.size() > 1 ? std::sqrt(squares / (n - 1)) : 0;
        EXPECT_NEAR(table.stdDev[k - 1][m - 1], sd, 1e-9 * (1 + sd));
    }
    EXPECT_EQ(table.samplesInRange, 401);
    EXPECT_EQ(table.samplesPassed, 401);
}

TEST(ComputeCellTable, ReadsTheRangeAndTheLastItemOfEachName) {
    std::vector<std::vector<double>> samples;
    for (double i = 0; i < 5; ++i) samples.push_back({1000, 50, 10 + i, 20 + i, 110 + i});
    std::vector<std::string> twoBlm = kItems;
    twoBlm.push_back("SENSOR:BLM");
    struct Case {
        const char* what;
        std::vector<std::string> names;
        TableKind kind;
        int32_t first, last, count;
        double mean;
    } cases[] = {
        {"one sample", kItems, TableKind::Blm, 3, 3, 1, 12},
        {"first after last", kItems, TableKind::Blm, 5, 4, 0, 0},
        {"beyond the log", kItems, TableKind::Blm, -3, 900, 5, 12},
        {"INT", kItems, TableKind::Int, 1, 2, 2, 20.5},
        {"the last BLM", twoBlm, TableKind::Blm, 1, 5, 5, 112},
        {"no value: 0", {"SENSOR:RPM", "SENSOR:MAP"}, TableKind::Blm, 1, 5, 5, 0},
        {"no MAP: 0 kPa", {"SENSOR:RPM", "SENSOR:BLM"}, TableKind::Blm, 1, 5, 0, 0},
    };
    for (const Case& c : cases) {
        const CellTable table =
            ComputeCellTable(test::MakeLogOfRows(c.names, samples), c.kind, c.first, c.last);
        EXPECT_EQ(table.count[2][3], c.count) << c.what;
        EXPECT_EQ(table.mean[2][3], c.mean) << c.what;
    }
}

// Pooled logs give exactly the table of one log holding their samples one after the other,
// also across the filter's blocks and with a filter.
TEST(CellTableBuilder, PoolingTwoLogsEqualsOneConcatenatedLog) {
    std::vector<std::vector<double>> a, b;
    for (double i = 0; i < 9000; ++i)
        a.push_back(
            {1000 + std::fmod(i, 3), 50, 100 + std::fmod(i, 7) + 1e-3 * i, std::fmod(i, 2)});
    for (double i = 0; i < 50; ++i) b.push_back({1000, 50 + std::fmod(i, 20), 1e15 + i, 1});
    std::vector<std::vector<double>> both = a;
    both.insert(both.end(), b.begin(), b.end());
    const std::vector<SampleCondition> condition = {{"SENSOR:INT", CompareOp::Equal, 1}};
    for (const bool filtered : {false, true}) {
        const LogData logA = test::MakeLogOfRows(kItems, a), logB = test::MakeLogOfRows(kItems, b);
        const LogData whole = test::MakeLogOfRows(kItems, both);
        const std::span<const SampleCondition> used(condition.data(), filtered ? 1 : 0);
        CellTableBuilder builder(TableKind::Blm);
        builder.Add(logA, 1, logA.lngSampleCount, SampleFilter(logA, used));
        builder.Add(logB, 1, logB.lngSampleCount, SampleFilter(logB, used));
        const CellTable pooled = builder.Finish();
        const CellTable single =
            ComputeCellTable(whole, TableKind::Blm, 1, whole.lngSampleCount, {whole, used});
        EXPECT_EQ(pooled.count, single.count) << filtered;
        EXPECT_EQ(pooled.mean, single.mean) << filtered;
        EXPECT_EQ(pooled.minimum, single.minimum) << filtered;
        EXPECT_EQ(pooled.maximum, single.maximum) << filtered;
        EXPECT_EQ(pooled.stdDev, single.stdDev) << filtered;
        EXPECT_EQ(pooled.samplesInRange, 9050);
        EXPECT_EQ(pooled.samplesPassed, filtered ? 4550 : 9050);
        // Gathering only what a mean needs gives the same means and counts.
        const CellTable plain = ComputeCellTable(whole, TableKind::Blm, 1, whole.lngSampleCount,
                                                 {whole, used}, Gathered::MeanAndCount);
        EXPECT_EQ(plain.count, single.count) << filtered;
        EXPECT_EQ(plain.mean, single.mean) << filtered;
        EXPECT_EQ(plain.samplesPassed, single.samplesPassed) << filtered;
    }
}

TEST(ComputeCellTable, FilterThatRemovesEverySampleLeavesEveryCellEmpty) {
    const LogData log = test::MakeLogOfRows(kItems, {{1000, 50, 120, 0}, {2000, 60, 130, 0}});
    const std::vector<SampleCondition> none = {{"SENSOR:INT", CompareOp::Greater, 1e308}};
    const CellTable table = ComputeCellTable(log, TableKind::Blm, 1, 2, {log, none});
    EXPECT_EQ(table.count, CellGrid<int32_t>{});
    EXPECT_EQ(table.samplesInRange, 2);
    EXPECT_EQ(table.samplesPassed, 0);
}

// Values at the ends of the doubles: a sample the filter drops adds nothing (not NaN); a sum or
// a spread that overflows while the true figure is finite gives the true figure; only a true
// spread beyond the doubles is infinite, never NaN.
TEST(ComputeCellTable, HugeValuesGiveTheTrueMeanAndSpread) {
    const struct {
        const char* what;
        std::vector<double> values, passes;
        double mean, stdDev;
    } cases[] = {
        {"a value filtered out", {1e308, -1e308, 130}, {1, 0, 1}, 5e307, (1e308 - 130) / M_SQRT2},
        {"values at both ends", {1e308, -1e308, 130}, {1, 1, 1}, 130.0 / 3, 1e308},
        {"the first value filtered out", {-1e308, 1e308}, {0, 1}, 1e308, 0},
        {"a sum beyond the doubles", {1.5e308, 1.5e308, 1.5e308}, {1, 1, 1}, 1.5e308, 0},
        // 15, 15 and -10 times 1E307: a mean of 20/3 and deviations of 25/3, 25/3 and -50/3.
        {"a sum beyond, then back",
         {1.5e308, 1.5e308, -1e308},
         {1, 1, 1},
         20.0 / 3 * 1e307,
         std::sqrt(1875.0 / 9) * 1e307},
        {"a spread beyond the doubles", {1.7e308, -1.7e308}, {1, 1}, 0, INFINITY},
        {"ordinary values", {120, 130, 126}, {1, 1, 1}, 376.0 / 3, 5.033222956847167},
    };
    for (const auto& c : cases) {
        std::vector<std::vector<double>> samples;
        for (size_t i = 0; i < c.values.size(); ++i)
            samples.push_back({1000, 50, c.values[i], c.passes[i]});
        const LogData log =
            test::MakeLogOfRows({"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM", "F"}, samples);
        const std::vector<SampleCondition> passing = {{"F", CompareOp::Equal, 1}};
        for (const Gathered gathered : {Gathered::Everything, Gathered::MeanAndCount}) {
            SCOPED_TRACE(testing::Message()
                         << c.what << (gathered == Gathered::Everything ? "" : ", mean only"));
            const int32_t n = log.lngSampleCount;
            const CellTable table =
                ComputeCellTable(log, TableKind::Blm, 1, n, {log, passing}, gathered);
            EXPECT_NEAR(table.mean[2][3], c.mean, std::fabs(c.mean) * 1e-14);
            if (gathered == Gathered::MeanAndCount) continue;
            if (std::isinf(c.stdDev))
                EXPECT_EQ(table.stdDev[2][3], c.stdDev);
            else
                EXPECT_NEAR(table.stdDev[2][3], c.stdDev, c.stdDev * 1e-14);
        }
    }
    // Gathered again across pooled logs, the one without the value item reading 0.
    const LogData big =
        test::MakeLogOfRows(kItems, {{1000, 50, 1.5e308, 0}, {1000, 50, 1.5e308, 0}});
    const LogData none =
        test::MakeLogOfRows({"SENSOR:RPM", "SENSOR:MAP"}, {{1000, 50}, {1000, 50}});
    CellTableBuilder builder(TableKind::Blm);
    builder.Add(big, 1, 1);
    builder.Add(none, 1, 2);
    builder.Add(big, 2, 2);
    const CellTable pooled = builder.Finish();
    EXPECT_EQ(pooled.count[2][3], 4);
    EXPECT_NEAR(pooled.mean[2][3], 0.75e308, 1e294);
    EXPECT_NEAR(pooled.stdDev[2][3], std::sqrt(3.0) / 2 * 1e308, 1e294);
}

// A cell of `count` samples under each statistic and minimum: a value or N/A. A count always
// has its value; it is greyed below the minimum.
TEST(CellShown, MinimumSamplesAndStdDevNeedingTwo) {
    struct Case {
        CellStatistic statistic;
        int32_t minCount, count;
        bool available;
        double value;
    } cases[] = {
        {CellStatistic::Mean, 1, 0, false, 0},   {CellStatistic::Mean, 1, 1, true, 5},
        {CellStatistic::Mean, 3, 2, false, 5},   {CellStatistic::Mean, 3, 3, true, 5},
        {CellStatistic::Mean, -4, 1, true, 5},   {CellStatistic::Count, 1, 0, false, 0},
        {CellStatistic::Count, 3, 2, false, 2},  {CellStatistic::Count, 3, 3, true, 3},
        {CellStatistic::StdDev, 1, 1, false, 0}, {CellStatistic::StdDev, 1, 2, true, 0.5},
        {CellStatistic::Minimum, 2, 2, true, 4}, {CellStatistic::Maximum, 2, 2, true, 6},
    };
    for (const Case& c : cases) {
        CellTable table;
        table.count[0][0] = c.count;
        table.mean[0][0] = 5;
        table.minimum[0][0] = 4;
        table.maximum[0][0] = 6;
        table.stdDev[0][0] = c.count > 1 ? 0.5 : 0;
        const ShownCell shown = CellShown(table, {c.statistic, c.minCount}, 1, 1);
        SCOPED_TRACE(testing::Message() << StatisticName(c.statistic) << " min " << c.minCount
                                        << " count " << c.count);
        EXPECT_EQ(shown.available, c.available);
        if (c.available || c.statistic == CellStatistic::Count) {
            EXPECT_EQ(shown.value, c.value);
        }
    }
}

}  // namespace
}  // namespace grafolux
