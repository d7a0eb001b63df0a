#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "MapOf.h"
#include "support/DrawingTestKit.h"
#include "tables/Retune.h"
#include "tables/RetuneText.h"

namespace grafolux {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Rows 1000, 2000, 3000 rpm; columns 20, 40, 60 kPa; every cell 50.
const FuelMap kMap =
    MapOf("RPM\t20\t40\t60\n1000\t50\t50\t50\n2000\t50\t50\t50\n3000\t50\t50\t50\n");

// Engine speed, pressure and coolant temperature, with a factor column of its own.
struct TestLog {
    LogData log;
    std::vector<double> factor;
    TestLog(std::vector<double> rpm, std::vector<double> kpa, std::vector<double> factors,
            std::vector<double> cts = {})
        : factor(std::move(factors)) {
        if (cts.empty()) cts.assign(rpm.size(), 90);
        log = test::MakeLog({{"SENSOR:RPM", rpm}, {"SENSOR:MAP", kpa}, {"SENSOR:CTS", cts}});
    }
    RetuneSource Source(const SampleFilter& filter, int32_t first = 1, int32_t last = 1 << 30) {
        return RetuneSourceOf(log, first, last, factor, filter);
    }
    RetuneResult Retuned(const RetuneSettings& settings = {}, const FuelMap& map = kMap) {
        const SampleFilter none;
        const RetuneSource source = Source(none);
        return Retune(map, std::span(&source, 1), settings);
    }
};

// The edges of the weighting; points between and beyond the axes are the plain rule's test below.
TEST(Retune, CellWeightsAtTheBreakpointsTheHalvesAndInfinity) {
    using Grid = std::array<double, 9>;  // row 1000 rpm first, 20 kPa first in each row
    struct Case {
        const char* name;
        double rpm, kpa;
        std::optional<Grid> bilinear;
        size_t nearest;
    } cases[] = {
        {"at an inner breakpoint", 2000, 40, Grid{0, 0, 0, 0, 1, 0, 0, 0, 0}, 4},
        {"at the last breakpoints", 3000, 60, Grid{0, 0, 0, 0, 0, 0, 0, 0, 1}, 8},
        {"half way in both", 1500, 30, Grid{.25, .25, 0, .25, .25, 0, 0, 0, 0}, 0},
        {"infinitely far", kInf, -kInf, Grid{0, 0, 0, 0, 0, 0, 1, 0, 0}, 6},
        {"just past the halves", std::nextafter(1500.0, 2e3), std::nextafter(30.0, 40.0), {}, 4},
    };
    for (const Case& c : cases) {
        TestLog log({c.rpm}, {c.kpa}, {1.25});
        const RetuneResult bilinear = log.Retuned(),
                           nearest = log.Retuned({CellWeighting::Nearest});
        for (size_t cell = 0; cell < 9; ++cell) {
            EXPECT_EQ(nearest.cells[cell].weight, cell == c.nearest ? 1 : 0) << c.name << cell;
            if (!c.bilinear) continue;
            const double w = (*c.bilinear)[cell];
            EXPECT_EQ(bilinear.cells[cell].weight, w) << c.name << cell;
            // Only a weight above 0 counts as a sample that touched the cell; F = S / W.
            EXPECT_EQ(bilinear.cells[cell].samples, w > 0 ? 1 : 0) << c.name << cell;
            EXPECT_TRUE(w > 0 ? bilinear.cells[cell].factor == 1.25
                              : std::isnan(bilinear.cells[cell].factor))
                << c.name << cell;
        }
    }
}

// n samples at 2000 rpm and `kpa`, with the factors given in turn; the cell at 2000 rpm and
// 40 kPa.
TEST(Retune, TrustAtTheMinimumWeightAndTheChangeHeldBothWays) {
    struct Case {
        const char* name;
        int n;
        double kpa;
        std::vector<double> factors;
        RetuneSettings settings;
        bool trusted;
        double change;
    } cases[] = {
        {"five samples: trusted", 5, 40, {1.05}, {}, true, 1.05},
        {"four samples: not", 4, 40, {1.05}, {}, false, 1},
        {"ten half weights make five", 10, 30, {1.04}, {}, true, 1.04},
        {"the weighted mean", 6, 40, {1.0, 1.02, 1.04}, {}, true, 1.02},
        {"held up", 5, 40, {1.3}, {}, true, 1.1},
        {"held down", 5, 40, {0.7}, {}, true, 0.9},
        {"a wider hold", 5, 40, {1.3}, {.maxChange = 20}, true, 1.2},
        {"a hold of 0 %", 5, 40, {0.5}, {.maxChange = 0}, true, 1},
        {"a lower minimum weight", 2, 40, {0.95}, {.minWeight = 2}, true, 0.95},
        {"a factor of 0", 10, 40, {0}, {}, false, 1},
        {"a negative factor", 10, 40, {-1.2}, {}, false, 1},
        {"factors that sum to 0", 10, 40, {2, -2}, {}, false, 1},
    };
    for (const Case& c : cases) {
        std::vector<double> factors;
        for (int s = 0; s < c.n; ++s) factors.push_back(c.factors[s % c.factors.size()]);
        TestLog log(std::vector<double>(c.n, 2000), std::vector<double>(c.n, c.kpa), factors);
        const RetuneResult result = log.Retuned(c.settings);
        EXPECT_EQ(result.cells[4].trusted, c.trusted) << c.name;
        EXPECT_NEAR(result.cells[4].change, c.change, 1e-12) << c.name;
        EXPECT_NEAR(result.cells[4].value, 50 * c.change, 1e-12) << c.name;
        EXPECT_EQ(result.evidence.trustedCells, c.trusted ? 1 + (c.kpa == 30) : 0) << c.name;
        // A cell without weight is never filled from its neighbours.
        EXPECT_EQ(result.cells[7].value, 50) << c.name;
        EXPECT_FALSE(RetuneSettingsError(c.settings)) << c.name;
    }
    for (const RetuneSettings& bad : {RetuneSettings{.minWeight = -1},
                                      {.minWeight = kNaN},
                                      {.maxChange = -0.5},
                                      {.maxChange = kInf}})
        EXPECT_TRUE(RetuneSettingsError(bad)) << bad.minWeight << " " << bad.maxChange;
}

TEST(Retune, EvidenceCountsWhatWasUsedAndWhyTheRestWasDropped) {
    // Sample: 1     2     3     4     5     6     7     8     9     10
    TestLog a({1000, kNaN, 1000, 1000, kNaN, 1000, 1000, 1000, 1000, 1000},
              {20, 20, kNaN, 20, kNaN, 20, 20, 20, 20, 20}, {1, 1, 1, kNaN, kNaN, kInf, 1, 1, 1, 1},
              {90, 90, 90, 90, 90, 90, 50, kNaN, 90, 90});
    TestLog b({2000, 2000}, {40, 40}, {1, 1});
    const std::vector<SampleCondition> conditions = {
        {"SENSOR:CTS", CompareOp::GreaterEqual, 80},
        {"SENSOR:EGT", CompareOp::Less, 900},  // neither log has it: ignored
        {"SENSOR:CTS", CompareOp::NotEqual, 50},
    };
    const SampleFilter filterA(a.log, conditions), filterB(b.log, conditions);
    // Samples 1 .. 9 of the first log; of the second, sample 2 only.
    const RetuneSource sources[] = {a.Source(filterA, -3, 9), b.Source(filterB, 2, 7)};
    const RetuneEvidence e = Retune(kMap, sources).evidence;
    EXPECT_EQ(e.logs, 2);
    EXPECT_EQ(e.samplesInRange, 9 + 1);
    EXPECT_EQ(e.failedCondition, (std::vector<int64_t>{2, 0, 2}));  // 7 and 8 fail both
    EXPECT_EQ(e.missingRpm, 2);                                     // 2, 5
    EXPECT_EQ(e.missingMap, 2);                                     // 3, 5
    EXPECT_EQ(e.missingFactor, 3);                                  // 4, 5, 6 (infinite)
    EXPECT_EQ(e.missingAny, 5);                                     // 2 .. 6
    EXPECT_EQ(e.samplesUsed, 2 + 1);                                // 1, 9 and the second log's
    EXPECT_EQ(e.cells, 9);
    EXPECT_EQ(
        DefaultFuelFactor(test::MakeLog({{"SENSOR:BLM", {128, 140}}, {"SENSOR:INT", {128, 117}}})),
        (std::vector<double>{1, 140.0 * 117 / 16384}));
    EXPECT_TRUE(DefaultFuelFactor(test::MakeLog({{"SENSOR:BLM", {128}}})).empty());
}

TEST(Retune, EverySampleFilteredOutLeavesTheMapAsItCame) {
    const std::string text = "RPM\\kPa\t20\t40.0\n1000\t-0\t007\n2000.50\t12.5\t13.250\n";
    TestLog log({1000, 2000}, {20, 40}, {1.05, 1.05}, {20, 20});
    const std::vector<SampleCondition> warm = {{"SENSOR:CTS", CompareOp::Greater, 80}};
    const SampleFilter filter(log.log, warm);
    const RetuneSource source = log.Source(filter);
    const FuelMap map = MapOf(text);
    const RetuneResult result = Retune(map, std::span(&source, 1));
    EXPECT_EQ(result.evidence.trustedCells, 0);
    EXPECT_EQ(RetuneText(map, result, RetuneShow::Map), text);
}

// The rules sample by sample with a plain search and exact sums: the runs, the blocks and the cell
// marks must agree with them to the last bit, on a log that wanders, jumps, stops on breakpoints,
// leaves the axes and misses values.
TEST(Retune, RunsAndMarksAgreeWithThePlainRuleSampleBySample) {
    const FuelMap map = MapOf(
        "RPM\t20\t30\t45\t60\n1000\t1\t1\t1\t1\n1500\t1\t1\t1\t1\n"
        "2200\t1\t1\t1\t1\n3000\t1\t1\t1\t1\n");
    uint64_t state = 7;
    const auto uniform = [&] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) * 0x1.0p-53;
    };
    std::vector<double> rpm, kpa, factor, cts;
    for (double r = 1500, m = 35; rpm.size() < 7000;) {
        const double pick = uniform(), roll = uniform();
        r = pick < 0.01 ? uniform() * 4000 : r + (uniform() - 0.5) * 40;
        m = pick > 0.99 ? uniform() * 80 : m + (uniform() - 0.5) * 2;
        rpm.push_back(roll < 0.02 ? kNaN : roll < 0.05 ? 2000 : r);
        kpa.push_back(roll > 0.98 ? kNaN : roll > 0.95 ? 40 : m);
        factor.push_back(roll > 0.49 && roll < 0.5 ? kInf : 0.8 + uniform() * 0.4);
        cts.push_back(uniform() < 0.2 ? 40 : 90);
    }
    TestLog log(rpm, kpa, factor, cts);
    const std::vector<SampleCondition> warm = {{"SENSOR:CTS", CompareOp::Greater, 80}};
    const SampleFilter filter(log.log, warm);
    const RetuneSource source = log.Source(filter, 5, 6500);
    const auto locate = [](const std::vector<double>& axis, double v) {
        v = std::isnan(v) ? axis.front() : std::clamp(v, axis.front(), axis.back());
        size_t i = 0;
        while (i + 2 < axis.size() && axis[i + 1] <= v) ++i;
        return std::pair(i, (v - axis[i]) / (axis[i + 1] - axis[i]));
    };
    for (const CellWeighting weighting : {CellWeighting::Bilinear, CellWeighting::Nearest}) {
        const auto split = [weighting](double f) {
            if (weighting == CellWeighting::Bilinear) return std::pair(1 - f, f);
            return f <= 0.5 ? std::pair(1.0, 0.0) : std::pair(0.0, 1.0);
        };
        std::vector<ExactSum> w(16), s(16);
        std::vector<int64_t> n(16);
        std::vector<std::vector<bool>> touched(16, std::vector<bool>(7001));
        for (int32_t at = 5; at <= 6500; ++at) {
            const double r = rpm[at - 1], m = kpa[at - 1], f = factor[at - 1];
            if (!filter.Passes(at) || std::isnan(r) || std::isnan(m) || !std::isfinite(f)) continue;
            const auto [i, fr] = locate(map.rows.values, r);
            const auto [j, fm] = locate(map.columns.values, m);
            const auto [r0, r1] = split(fr);
            const auto [m0, m1] = split(fm);
            for (const auto& [cell, weight] : {std::pair(i * 4 + j, r0 * m0),
                                               {i * 4 + 4 + j, r1 * m0},
                                               {i * 4 + j + 1, r0 * m1},
                                               {i * 4 + 5 + j, r1 * m1}}) {
                w[cell].Add(weight);
                s[cell].AddProduct(weight, f);
                n[cell] += weight > 0;
                touched[cell][at] = weight > 0;
            }
        }
        const RetuneResult result = Retune(map, std::span(&source, 1), {weighting});
        for (size_t cell = 0; cell < 16; ++cell) {
            SCOPED_TRACE(std::string(CellWeightingName(weighting)) + " cell " +
                         std::to_string(cell));
            const double weight = w[cell].Rounded();
            EXPECT_EQ(result.cells[cell].weight, weight);
            EXPECT_TRUE(weight > 0 ? result.cells[cell].factor == s[cell].Rounded() / weight
                                   : std::isnan(result.cells[cell].factor));
            EXPECT_EQ(result.cells[cell].samples, n[cell]);
            const SampleMarks marks =
                MarkRetuneCellSamples(map, source, cell / 4, cell % 4, weighting);
            ASSERT_EQ(marks.first(), 5);
            ASSERT_EQ(marks.last(), 6500);
            for (int32_t at = 5; at <= 6500; ++at)
                ASSERT_EQ(marks.AnyMarked(at, at), touched[cell][at]) << "sample " << at;
        }
    }
}

}  // namespace
}  // namespace grafolux
