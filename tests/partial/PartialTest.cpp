#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "partial/PartialText.h"
#include "support/DrawingTestKit.h"
#include "tables/CellTableText.h"
#include "tables/PooledTable.h"
#include "tables/RetuneLogs.h"
#include "tables/RetuneText.h"

namespace grafolux {
namespace {

const std::vector<std::string> kItems = {"SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM", "SENSOR:INT",
                                         "SENSOR:CTS"};
const std::vector<SampleCondition> kWarm = {{"SENSOR:CTS", CompareOp::GreaterEqual, 80}};
const FuelMap kMap = std::get<FuelMap>(
    ParseFuelMap("RPM\t20\t45\t70\t100\n800\t50.0\t55\t60.25\t65\n2000\t51.5\t56\t61\t66\n"
                 "4000\t52\t57.5\t62\t67\n6400\t53\t58\t63\t68.125\n",
                 "map"));

// Logs whose values plain addition sums differently in different orders: tenths, and now and
// then a value ten orders of magnitude larger, or smaller.
std::vector<LogData> RandomLogs(std::mt19937_64& random, int count) {
    std::vector<LogData> logs;
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < count; ++i) {
        std::vector<std::vector<double>> rows;
        const int samples = 1 + static_cast<int>(random() % 400);
        for (int s = 0; s < samples; ++s) {
            const double scale = unit(random) < 0.05 ? 1e10 : unit(random) < 0.05 ? 1e-10 : 1;
            rows.push_back({std::round(unit(random) * 6800), std::round(unit(random) * 1100) / 10,
                            std::round((100 + unit(random) * 56) * 10) / 10 * scale,
                            std::round(unit(random) * 255), unit(random) < 0.7 ? 90.0 : 40.0});
        }
        logs.push_back(test::MakeLogOfRows(kItems, rows));
    }
    return logs;
}

std::vector<TableSource> SourcesOf(const std::vector<const LogData*>& logs) {
    std::vector<TableSource> sources;
    for (const LogData* log : logs) sources.push_back({log, 1, log->lngSampleCount});
    return sources;
}

// A partial through its bytes, as a file would carry it.
Partial ThroughBytes(const Partial& partial) {
    auto read = ReadPartialBytes(PartialBytes(partial));
    EXPECT_TRUE(std::holds_alternative<Partial>(read)) << std::get<std::string>(read);
    return std::get<Partial>(read);
}

Partial PartialOf(const std::vector<const LogData*>& logs, bool retune) {
    if (!retune) {
        return ThroughBytes(
            TablePartial({TableKind::Blm, kWarm, {"X=1", "Y=\"a\\b\r\nc\""}},
                         ComputePooledSums(SourcesOf(logs), TableKind::Blm, kWarm).sums));
    }
    auto gathered =
        GatherRetuneLogs(kMap, SourcesOf(logs), std::nullopt, kWarm, CellWeighting::Bilinear);
    return ThroughBytes(RetunePartial({kMap, std::nullopt, CellWeighting::Bilinear, kWarm, {}},
                                      std::get<RetuneSumsOfLogs>(gathered).sums));
}

// Every statistic of the table, or every figure of the retune, as printed.
std::string TableTexts(const CellTable& table) {
    std::string text;
    for (const CellStatistic statistic :
         {CellStatistic::Mean, CellStatistic::Count, CellStatistic::Minimum, CellStatistic::Maximum,
          CellStatistic::StdDev})
        text += CellTableText(table, {statistic, 2});
    return text;
}
std::string RetuneTexts(const RetuneResult& result) {
    std::string text;
    for (const RetuneShow show :
         {RetuneShow::Map, RetuneShow::Change, RetuneShow::Weight, RetuneShow::Factor})
        text += RetuneText(kMap, result, show);
    return text;
}

// What the pooled run prints.
std::string PooledText(const std::vector<const LogData*>& logs, bool retune) {
    if (!retune)
        return TableTexts(ComputePooledTable(SourcesOf(logs), TableKind::Blm, kWarm).table);
    const RetuneSettings settings{CellWeighting::Bilinear, 1.5, 10};
    const auto retuned = RetuneLogs(kMap, SourcesOf(logs), std::nullopt, kWarm, settings);
    return RetuneTexts(std::get<RetuneOfLogs>(retuned).result);
}

std::string MergedText(const Partial& merged) {
    if (!IsRetunePartial(merged)) return TableTexts(std::get<TableSums>(merged.sums).Table());
    return RetuneTexts(
        Retuned(kMap, std::get<RetuneSums>(merged.sums), {CellWeighting::Bilinear, 1.5, 10}));
}

// Logs split at random into parts, each part's partial made in its own order, the partials
// (and partials of partials) merged in any order: exactly what one run over all logs prints.
TEST(MergePartial, AnySplitAndOrderPrintsWhatThePooledRunPrints) {
    std::mt19937_64 random(2024);
    for (const bool retune : {false, true}) {
        const std::vector<LogData> logs = RandomLogs(random, 7);
        std::vector<const LogData*> all;
        for (const LogData& log : logs) all.push_back(&log);
        const std::string pooled = PooledText(all, retune);
        const std::string pooledBytes = PartialBytes(PartialOf(all, retune));
        for (int round = 0; round < 12; ++round) {
            std::shuffle(all.begin(), all.end(), random);
            std::vector<Partial> partials;
            for (size_t from = 0; from < all.size();) {
                const size_t to = from + 1 + random() % (all.size() - from);
                partials.push_back(PartialOf({all.begin() + from, all.begin() + to}, retune));
                from = to;
            }
            std::shuffle(partials.begin(), partials.end(), random);
            // The first two merged apart and written, as a partial of partials.
            Partial merged = partials.front();
            if (partials.size() > 2) {
                Partial pair = partials[1];
                ASSERT_EQ(MergePartial(pair, partials[2]), std::nullopt);
                partials.erase(partials.begin() + 1, partials.begin() + 3);
                partials.push_back(ThroughBytes(pair));
            }
            for (size_t i = 1; i < partials.size(); ++i) {
                ASSERT_EQ(FingerprintDifference(merged, partials[i]), std::nullopt);
                ASSERT_EQ(MergePartial(merged, partials[i]), std::nullopt);
            }
            EXPECT_EQ(MergedText(merged), pooled) << (retune ? "retune" : "table") << round;
            EXPECT_EQ(PartialBytes(merged), pooledBytes);
        }
    }
}

TEST(FingerprintDifference, NamesWhatTwoPartialsDoNotShare) {
    const TableQuery table{TableKind::Blm, kWarm, {"X=1"}};
    const RetuneQuery retune{kMap, std::nullopt, CellWeighting::Bilinear, kWarm, {"X=1"}};
    FuelMap otherMap = kMap;
    otherMap.cellTexts[3] = "60.250";
    const struct {
        Partial a, b;
        std::optional<std::string> difference;
    } cases[] = {
        {TablePartial(table, {}), TablePartial(table, {}), std::nullopt},
        {TablePartial(table, {}), TablePartial({TableKind::Int, kWarm, {"X=1"}}, {}),
         "the table (blm or int)"},
        {TablePartial(table, {}), TablePartial({TableKind::Blm, {}, {"X=1"}}, {}),
         "the conditions (--where)"},
        {TablePartial({TableKind::Blm, {}, {}}, {}),
         TablePartial({TableKind::Blm, {}, {"X=1"}}, {}), "the definitions (--define)"},
        {TablePartial(table, {}), RetunePartial(retune, {}), "the command (table or retune)"},
        {RetunePartial(retune, {}), RetunePartial({otherMap, {}, {}, kWarm, {"X=1"}}, {}),
         "the fuel map (--map)"},
        {RetunePartial(retune, {}),
         RetunePartial({kMap, "F", CellWeighting::Bilinear, kWarm, {"X=1"}}, {}),
         "the factor (--factor)"},
        {RetunePartial(retune, {}),
         RetunePartial({kMap, {}, CellWeighting::Nearest, kWarm, {"X=1"}}, {}),
         "the cell rule (--cells)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FingerprintDifference(c.a, c.b), c.difference);
        EXPECT_EQ(FingerprintDifference(c.b, c.a), c.difference);
    }
}

// What is not a whole partial of this version is refused, with a line that says why.
TEST(ReadPartialBytes, RefusesWhatIsNotAWholePartial) {
    std::mt19937_64 random(5);
    const std::vector<LogData> logs = RandomLogs(random, 1);
    const std::string bytes = PartialBytes(PartialOf({&logs[0]}, false));
    // One digit of the middle changed: the text still reads, only its check sum tells.
    std::string altered = bytes;
    const size_t digit = bytes.find_first_of("23456789", bytes.size() / 2);
    ASSERT_NE(digit, std::string::npos);
    altered[digit] = static_cast<char>(altered[digit] - 1);
    std::string newer = bytes;
    newer.replace(0, 18, "grafolux partial 2");
    const struct {
        std::string bytes, said;
    } cases[] = {
        {"", "not a partial result"},
        {"SENSOR:RPM\tSENSOR:MAP\r\n1000\t50\r\n", "not a partial result"},
        {newer, "a partial of format version 2; this program reads version 1"},
        {bytes.substr(0, bytes.size() - 1), "cut short"},
        {bytes.substr(0, bytes.size() / 2), "cut short"},
        {altered, "damaged"},
    };
    for (const auto& c : cases) {
        const auto read = ReadPartialBytes(c.bytes);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.said;
        EXPECT_TRUE(std::get<std::string>(read).starts_with(c.said)) << std::get<std::string>(read);
    }
}

// A table of every cell, each of a hundred values with decimals, stays a few kilobytes; a cell
// that would count beyond what a table shows is refused.
TEST(MergePartial, SmallFilesAndCountsATableCanShow) {
    std::vector<std::vector<double>> rows;
    for (int i = 0; i < 14400; ++i)
        rows.push_back({400.0 * (1 + i % 16), 10.0 * (2 + i / 16 % 9), 100 + i * 0.37, 0, 90});
    const LogData log = test::MakeLogOfRows(kItems, rows);
    EXPECT_LT(PartialBytes(PartialOf({&log}, false)).size(), 16u * 1024);

    Partial big = TablePartial({}, {}), more = big;
    std::get<TableSums>(big.sums).cells[0][0].count = INT32_MAX;
    std::get<TableSums>(more.sums).cells[0][0].count = 1;
    EXPECT_NE(MergePartial(big, more), std::nullopt);
}

}  // namespace
}  // namespace grafolux
