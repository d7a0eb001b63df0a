#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/DrawingTestKit.h"
#include "tables/Retune.h"
#include "tables/RetuneText.h"

namespace grafolux {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Rows 1000, 2000, 3000 rpm; columns 20, 40, 60 kPa; every cell 50.
const char* const kMapText =
    "RPM\t20\t40\t60\n1000\t50\t50\t50\n2000\t50\t50\t50\n3000\t50\t50\t50\n";

FuelMap MapOf(std::string_view text) { return std::get<FuelMap>(ParseFuelMap(text, "map")); }

// A log of engine speed, pressure and coolant temperature, with its own factor column.
struct TestLog {
    LogData log;
    std::vector<double> factor;

    TestLog(std::vector<double> rpm, std::vector<double> map, std::vector<double> factors,
            std::vector<double> cts = {})
        : factor(std::move(factors)) {
        if (cts.empty()) cts.assign(rpm.size(), 90);
        log = test::MakeLog({{"SENSOR:RPM", std::move(rpm)},
                             {"SENSOR:MAP", std::move(map)},
                             {"SENSOR:CTS", std::move(cts)}});
    }
    RetuneSource Source(const SampleFilter& filter, int32_t first = 1, int32_t last = 1 << 30) {
        return RetuneSourceOf(log, first, last, factor, filter);
    }
};

RetuneResult RetuneOne(TestLog& log, const RetuneSettings& settings = {},
                       const FuelMap& map = MapOf(kMapText)) {
    const SampleFilter none;
    const RetuneSource source = log.Source(none);
    return Retune(map, std::span(&source, 1), settings);
}

using Grid = std::array<double, 9>;  // rows 1000..3000, columns 20..60 within each row

TEST(Retune, BilinearWeightsAtBetweenAndOutsideTheBreakpoints) {
    struct Case {
        const char* name;
        double rpm, map;
        Grid weight;
    } cases[] = {
        {"at an inner breakpoint", 2000, 40, {0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"at the first breakpoints", 1000, 20, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"at the last breakpoints", 3000, 60, {0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"half way in both", 1500, 30, {.25, .25, 0, .25, .25, 0, 0, 0, 0}},
        {"a quarter and a half", 2250, 50, {0, 0, 0, 0, .375, .375, 0, .125, .125}},
        {"below both axes", 500, -5, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"above both axes", 9000, 250, {0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"below one, between the other", 0, 50, {0, .5, .5, 0, 0, 0, 0, 0, 0}},
        {"at a breakpoint of one, above the other", 2000, 61, {0, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"infinitely far", kInf, -kInf, {0, 0, 0, 0, 0, 0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestLog log({c.rpm}, {c.map}, {1.25});
        const RetuneResult result = RetuneOne(log);
        for (size_t cell = 0; cell < 9; ++cell) {
            EXPECT_EQ(result.cells[cell].weight, c.weight[cell]) << cell;
            // Only a weight above 0 counts as a sample that touched the cell.
            EXPECT_EQ(result.cells[cell].samples, c.weight[cell] > 0 ? 1 : 0) << cell;
            // F = S / W, none where nothing weighed.
            EXPECT_EQ(std::isnan(result.cells[cell].factor), c.weight[cell] == 0) << cell;
            EXPECT_TRUE(c.weight[cell] == 0 || result.cells[cell].factor == 1.25) << cell;
        }
    }
}

TEST(Retune, NearestTakesTheLowerBreakpointAtAnExactHalf) {
    struct Case {
        const char* name;
        double rpm, map;
        size_t cell;
    } cases[] = {
        {"exact halves", 1500, 30, 0},
        {"just past the halves", std::nextafter(1500.0, 2000.0), std::nextafter(30.0, 40.0), 4},
        {"just before the halves", 1499.9, 29.9, 0},
        {"past one half only", 1500.1, 50, 4},
        {"at the last breakpoints", 3000, 60, 8},
        {"outside the axes", -1, 1000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestLog log({c.rpm}, {c.map}, {1});
        const RetuneResult result = RetuneOne(log, {CellWeighting::Nearest});
        for (size_t cell = 0; cell < 9; ++cell)
            EXPECT_EQ(result.cells[cell].weight, cell == c.cell ? 1 : 0) << cell;
    }
}

// n samples at 2000 rpm and 40 kPa (weight 1 each, all in the middle cell) with the factors
// given in turn.
TEST(Retune, TrustAtTheMinimumWeightAndTheChangeHeldBothWays) {
    struct Case {
        const char* name;
        int n;
        std::vector<double> factors;
        RetuneSettings settings;
        bool trusted;
        double change, value;
    } cases[] = {
        {"five samples: trusted", 5, {1.05}, {}, true, 1.05, 50 * 1.05},
        {"four samples: not", 4, {1.05}, {}, false, 1, 50},
        {"the weighted mean", 6, {1.0, 1.02, 1.04}, {}, true, 1.02, 50 * 1.02},
        {"held up", 5, {1.3}, {}, true, 1.1, 50 * 1.1},
        {"held down", 5, {0.7}, {}, true, 0.9, 50 * 0.9},
        {"a wider hold", 5, {1.3}, {.maxChange = 20}, true, 1.2, 50 * 1.2},
        {"a hold of 0 %", 5, {0.5}, {.maxChange = 0}, true, 1, 50},
        {"a lower minimum weight", 2, {0.95}, {.minWeight = 2}, true, 0.95, 50 * 0.95},
        {"a factor of 0", 10, {0}, {}, false, 1, 50},
        {"a negative factor", 10, {-1.2}, {}, false, 1, 50},
        {"factors that sum to 0", 10, {2, -2}, {}, false, 1, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> factors;
        for (int s = 0; s < c.n; ++s) factors.push_back(c.factors[s % c.factors.size()]);
        TestLog log(std::vector<double>(c.n, 2000), std::vector<double>(c.n, 40), factors);
        const RetuneResult result = RetuneOne(log, c.settings);
        const RetuneCell& cell = result.cells[4];
        EXPECT_EQ(cell.trusted, c.trusted);
        EXPECT_NEAR(cell.change, c.change, 1e-12);
        EXPECT_NEAR(cell.value, c.value, 1e-12);
        EXPECT_EQ(result.evidence.trustedCells, c.trusted ? 1 : 0);
        // The neighbours had no weight: never filled from the middle.
        EXPECT_EQ(result.cells[3].value, 50);
        EXPECT_FALSE(result.cells[3].trusted);
    }
}

TEST(Retune, FactorIsTheWeightedMeanAndFractionalWeightsReachTheThreshold) {
    // Ten samples half way between 20 and 40 kPa at 1000 rpm: W = 5 in both cells, exactly.
    TestLog half(std::vector<double>(10, 1000), std::vector<double>(10, 30),
                 std::vector<double>(10, 1.04));
    const RetuneResult halves = RetuneOne(half);
    EXPECT_EQ(halves.cells[0].weight, 5);
    EXPECT_TRUE(halves.cells[0].trusted);
    EXPECT_TRUE(halves.cells[1].trusted);
    EXPECT_EQ(halves.cells[0].samples, 10);

    // Weights 0.75 (factor 2) and 1 (factor 1): F = (1.5 + 1) / 1.75.
    TestLog mixed({1250, 1000}, {20, 20}, {2, 1});
    const RetuneResult result = RetuneOne(mixed);
    EXPECT_EQ(result.cells[0].weight, 1.75);
    EXPECT_EQ(result.cells[0].factor, 2.5 / 1.75);
    EXPECT_EQ(result.cells[3].factor, 2);  // 0.25 × 2 ÷ 0.25
}

TEST(Retune, EvidenceCountsWhatWasUsedAndWhyTheRestWasDropped) {
    // Sample:   1    2    3    4    5    6    7     8    9   10
    TestLog a({1000, kNaN, 1000, 1000, kNaN, 1000, 1000, 1000, 1000, 1000},
              {20, 20, kNaN, 20, kNaN, 20, 20, 20, 20, 20}, {1, 1, 1, kNaN, kNaN, kInf, 1, 1, 1, 1},
              {90, 90, 90, 90, 90, 90, 50, kNaN, 90, 90});
    TestLog b({2000, 2000}, {40, 40}, {1, 1}, {90, 90});
    const std::vector<SampleCondition> conditions = {
        {"SENSOR:CTS", CompareOp::GreaterEqual, 80},
        {"SENSOR:EGT", CompareOp::Less, 900},  // neither log has it: ignored
        {"SENSOR:CTS", CompareOp::NotEqual, 50},
    };
    const SampleFilter filterA(a.log, conditions), filterB(b.log, conditions);
    // Samples 1 .. 9 of the first log (10 is out of range), and a range beyond the second.
    const RetuneSource sources[] = {a.Source(filterA, -3, 9), b.Source(filterB, 2, 7)};
    const RetuneEvidence e = Retune(MapOf(kMapText), sources).evidence;
    EXPECT_EQ(e.logs, 2);
    EXPECT_EQ(e.samplesInRange, 9 + 1);
    EXPECT_EQ(e.failedCondition, (std::vector<int64_t>{2, 0, 2}));  // 7 and 8 fail both
    EXPECT_EQ(e.missingRpm, 2);                                     // 2, 5
    EXPECT_EQ(e.missingMap, 2);                                     // 3, 5
    EXPECT_EQ(e.missingFactor, 3);                                  // 4, 5, 6 (infinite)
    EXPECT_EQ(e.missingAny, 5);                                     // 2 .. 6
    EXPECT_EQ(e.samplesUsed, 2 + 1);  // 1, 9 and the second log's sample 2
    EXPECT_EQ(e.cells, 9);
}

// Every sample filtered out: no cell is trusted and the map prints as it came.
TEST(Retune, NothingUsedLeavesTheMapAsItCame) {
    const std::string text = "RPM\\kPa\t20\t40.0\n1000\t-0\t007\n2000.50\t12.5\t13.250\n";
    TestLog log({1000, 2000}, {20, 40}, {1.05, 1.05}, {20, 20});
    const std::vector<SampleCondition> warm = {{"SENSOR:CTS", CompareOp::Greater, 80}};
    const SampleFilter filter(log.log, warm);
    const RetuneSource source = log.Source(filter);
    const FuelMap map = MapOf(text);
    const RetuneResult result = Retune(map, std::span(&source, 1));
    EXPECT_EQ(result.evidence.trustedCells, 0);
    EXPECT_EQ(result.evidence.samplesUsed, 0);
    EXPECT_EQ(RetuneText(map, result, RetuneShow::Map), text);
}

TEST(Retune, SettingsThatMakeNoSenseAreRefused) {
    struct Case {
        const char* name;
        RetuneSettings settings;
        bool fine;
    } cases[] = {
        {"defaults", {}, true},
        {"zeros", {.minWeight = 0, .maxChange = 0}, true},
        {"negative weight", {.minWeight = -1}, false},
        {"negative change", {.maxChange = -0.5}, false},
        {"NaN weight", {.minWeight = kNaN}, false},
        {"infinite change", {.maxChange = kInf}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(!RetuneSettingsError(c.settings), c.fine) << c.name;
}

TEST(DefaultFuelFactor, BlmTimesIntOver16384AndEmptyWithoutEither) {
    const LogData log =
        test::MakeLog({{"SENSOR:BLM", {128, 140, 0}}, {"SENSOR:INT", {128, 117, 5}}});
    EXPECT_EQ(DefaultFuelFactor(log), (std::vector<double>{1, 140.0 * 117 / 16384, 0}));
    EXPECT_TRUE(DefaultFuelFactor(test::MakeLog({{"SENSOR:BLM", {128}}})).empty());
    EXPECT_TRUE(DefaultFuelFactor(test::MakeLog({{"SENSOR:INT", {128}}})).empty());
}

// The cell sums as the rules define them, sample by sample with a plain search: the run-based
// accumulation and the cell marks must agree with it to the last bit.
struct Reference {
    std::vector<double> weight, weighted;
    std::vector<int64_t> samples;
    std::vector<std::vector<bool>> touched;  // [cell][sample - 1]
};

std::pair<size_t, double> Locate(const std::vector<double>& axis, double v) {
    v = std::isnan(v) ? axis.front() : std::clamp(v, axis.front(), axis.back());
    size_t i = 0;
    while (i + 1 < axis.size() && axis[i + 1] <= v) ++i;
    i = std::min(i, axis.size() - 2);
    return {i, (v - axis[i]) / (axis[i + 1] - axis[i])};
}

Reference ReferenceSums(const FuelMap& map, const TestLog& log, const SampleFilter& filter,
                        int32_t first, int32_t last, CellWeighting weighting) {
    const size_t cells = map.cells.size(), columns = map.columnCount();
    const int32_t n = log.log.lngSampleCount;
    Reference ref{std::vector<double>(cells), std::vector<double>(cells),
                  std::vector<int64_t>(cells), std::vector(cells, std::vector<bool>(n))};
    for (int32_t s = first; s <= last; ++s) {
        const double rpm = log.log.sample(1, s), kpa = log.log.sample(2, s);
        const double f = log.factor[s - 1];
        if (!filter.Passes(s) || std::isnan(rpm) || std::isnan(kpa) || !std::isfinite(f)) continue;
        const auto [i, fr] = Locate(map.rows.values, rpm);
        const auto [j, fm] = Locate(map.columns.values, kpa);
        const auto split = [weighting](double f) {
            if (weighting == CellWeighting::Bilinear) return std::pair(1 - f, f);
            return f <= 0.5 ? std::pair(1.0, 0.0) : std::pair(0.0, 1.0);
        };
        const auto [r0, r1] = split(fr);
        const auto [m0, m1] = split(fm);
        const std::pair<size_t, double> parts[] = {{i * columns + j, r0 * m0},
                                                   {(i + 1) * columns + j, r1 * m0},
                                                   {i * columns + j + 1, r0 * m1},
                                                   {(i + 1) * columns + j + 1, r1 * m1}};
        for (const auto& [cell, w] : parts) {
            ref.weight[cell] += w;
            ref.weighted[cell] += w * f;
            ref.samples[cell] += w > 0;
            if (w > 0) ref.touched[cell][s - 1] = true;
        }
    }
    return ref;
}

// A log that wanders slowly, jumps, stops on breakpoints, leaves the axes and misses values,
// across several blocks.
TestLog WanderingLog(int n) {
    uint64_t state = 7;
    const auto uniform = [&] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) * 0x1.0p-53;
    };
    std::vector<double> rpm, kpa, factor, cts;
    double r = 1500, m = 35;
    for (int s = 0; s < n; ++s) {
        const double pick = uniform();
        if (pick < 0.01) r = uniform() * 4000;  // a jump, outside the axes too
        if (pick > 0.99) m = uniform() * 80;
        r += (uniform() - 0.5) * 40;
        m += (uniform() - 0.5) * 2;
        const double roll = uniform();
        rpm.push_back(roll < 0.02 ? kNaN : roll < 0.05 ? 2000 : r);
        kpa.push_back(roll > 0.98 ? kNaN : roll > 0.95 ? 40 : m);
        factor.push_back(roll < 0.5 && roll > 0.49 ? kInf : 0.8 + uniform() * 0.4);
        cts.push_back(uniform() < 0.2 ? 40 : 90);
    }
    return TestLog(rpm, kpa, factor, cts);
}

TEST(Retune, RunsAndMarksAgreeWithThePlainRuleSampleBySample) {
    const FuelMap map = MapOf(
        "RPM\t20\t30\t45\t60\n1000\t1\t1\t1\t1\n1500\t1\t1\t1\t1\n2200\t1\t1\t1\t1\n3000\t1\t1\t1"
        "\t1\n");
    TestLog log = WanderingLog(7000);
    const std::vector<SampleCondition> warm = {{"SENSOR:CTS", CompareOp::Greater, 80}};
    const SampleFilter filter(log.log, warm);
    const RetuneSource source = log.Source(filter, 5, 6500);
    for (const CellWeighting weighting : {CellWeighting::Bilinear, CellWeighting::Nearest}) {
        SCOPED_TRACE(CellWeightingName(weighting));
        const Reference ref = ReferenceSums(map, log, filter, 5, 6500, weighting);
        const RetuneResult result = Retune(map, std::span(&source, 1), {weighting});
        for (size_t cell = 0; cell < map.cells.size(); ++cell) {
            SCOPED_TRACE(cell);
            EXPECT_EQ(result.cells[cell].weight, ref.weight[cell]);
            if (ref.weight[cell] > 0) {
                EXPECT_EQ(result.cells[cell].factor, ref.weighted[cell] / ref.weight[cell]);
            } else {
                EXPECT_TRUE(std::isnan(result.cells[cell].factor));
            }
            EXPECT_EQ(result.cells[cell].samples, ref.samples[cell]);
            const SampleMarks marks =
                MarkRetuneCellSamples(map, source, cell / 4, cell % 4, weighting);
            ASSERT_EQ(marks.first(), 5);
            ASSERT_EQ(marks.last(), 6500);
            for (int32_t s = 5; s <= 6500; ++s)
                ASSERT_EQ(marks.Marked(s), ref.touched[cell][s - 1]) << "sample " << s;
        }
    }
}

}  // namespace
}  // namespace grafolux
