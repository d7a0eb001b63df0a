// Two retune passes on the simulated engine, from an ECU map 12 % off its true VE map in a
// pattern (some cells rich, some lean), each pass on a fresh log of the map the last one made.
//
// The filter is a careful tuner's: a warm engine (SENSOR:CTS >= 80) and no transient: TEST:DMAP
// <= 2 kPa, a column the test computes until computed items exist (SimulatedLog.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "SimulatedLog.h"
#include "tables/Retune.h"
#include "tables/RetuneText.h"

namespace grafolux {
namespace {

constexpr int kRows = 15, kColumns = 9;  // 800 … 6400 rpm, 20 … 100 kPa

double RpmOf(int i) { return 800 + 400 * i; }
double KpaOf(int j) { return 20 + 10 * j; }

// A smooth VE surface: higher with pressure, best in the middle of the speed range.
double TrueVe(int i, int j) {
    const double speed = std::sin(std::numbers::pi * (RpmOf(i) - 800) / 5600);
    return 35 + 50 * KpaOf(j) / 100 * (0.75 + 0.25 * speed);
}

// Blocks of three by three cells, 12 % rich and 12 % lean by turns.
double EcuError(int i, int j) { return (i < 8) == (j < 5) ? 1.12 : 0.88; }

std::string MapText(const std::function<double(int, int)>& cell) {
    std::string text = "RPM\\kPa";
    for (int j = 0; j < kColumns; ++j) text += "\t" + std::to_string(static_cast<int>(KpaOf(j)));
    for (int i = 0; i < kRows; ++i) {
        text += "\n" + std::to_string(static_cast<int>(RpmOf(i)));
        for (int j = 0; j < kColumns; ++j) text += "\t" + FixedText(cell(i, j), 1);
    }
    return text + "\n";
}

LogData DriveLog(const FuelMap& trueVe, const FuelMap& ecu, uint64_t seed) {
    return test::SimulatedLog(trueVe, ecu, {.seed = seed});
}

const std::vector<SampleCondition> kCareful = {{"SENSOR:CTS", CompareOp::GreaterEqual, 80},
                                               {test::kUnsteady, CompareOp::LessEqual, 2}};

RetuneResult RetuneOn(const FuelMap& ecu, const LogData& log, std::span<const double> factor,
                      const RetuneSettings& settings = {}) {
    const SampleFilter filter(log, kCareful);
    const RetuneSource source = RetuneSourceOf(log, 1, log.lngSampleCount, factor, filter);
    return Retune(ecu, std::span(&source, 1), settings);
}

// One pass: a log of the ECU running `ecu`, and the map the retune makes of it.
FuelMap Pass(const FuelMap& trueVe, const FuelMap& ecu, uint64_t seed) {
    const LogData log = DriveLog(trueVe, ecu, seed);
    const RetuneResult result = RetuneOn(ecu, log, DefaultFuelFactor(log));
    return test::MapOf(RetuneText(ecu, result, RetuneShow::Map));
}

TEST(RetuneConvergence, TwoPassesBringBlmWithinTwoOf128) {
    const FuelMap trueVe = test::MapOf(MapText(TrueVe));
    const FuelMap first =
        test::MapOf(MapText([](int i, int j) { return TrueVe(i, j) * EcuError(i, j); }));
    const FuelMap second = Pass(trueVe, first, 1);
    const FuelMap third = Pass(trueVe, second, 2);

    const LogData log = DriveLog(trueVe, third, 3);
    const std::span<const double> blm = log.column(log.itemNamed("SENSOR:BLM"));
    const RetuneResult mean = RetuneOn(third, log, blm);  // F is the mean BLM of each cell
    int trusted = 0, within = 0;
    for (const RetuneCell& cell : mean.cells) {
        if (!cell.trusted) continue;
        ++trusted;
        within += std::fabs(cell.factor - 128) <= 2;
    }
    EXPECT_GE(trusted, kRows * kColumns * 8 / 10);
    EXPECT_GE(within, trusted * 9 / 10) << within << " of " << trusted << " trusted cells";
}

// The first pass moves most cells by the whole largest change, the right way, and none further;
// with a wider hold the same cells move by about the 12 % they are off.
TEST(RetuneConvergence, TheFirstPassIsHeldToTheLargestChange) {
    const FuelMap trueVe = test::MapOf(MapText(TrueVe));
    const FuelMap first =
        test::MapOf(MapText([](int i, int j) { return TrueVe(i, j) * EcuError(i, j); }));
    const LogData log = DriveLog(trueVe, first, 1);
    const std::vector<double> factor = DefaultFuelFactor(log);
    struct Case {
        const char* name;
        double maxChange;
        int heldAtLeast, heldAtMost;  // in percent of the trusted cells
    } cases[] = {{"held to 10 %", 10, 60, 100}, {"held to 20 %", 20, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RetuneResult result = RetuneOn(first, log, factor, {.maxChange = c.maxChange});
        // The careful filter dropped the cold start and the transients.
        EXPECT_GT(result.evidence.failedCondition[0], 1000);
        EXPECT_GT(result.evidence.failedCondition[1], 1000);
        int trusted = 0, held = 0;
        double moved = 0;
        for (int i = 0; i < kRows; ++i) {
            for (int j = 0; j < kColumns; ++j) {
                const RetuneCell& cell = result.cells[i * kColumns + j];
                if (!cell.trusted) continue;
                ++trusted;
                const double change = cell.change - 1;
                EXPECT_LE(std::fabs(change), c.maxChange / 100 + 1e-12) << i << ", " << j;
                // Held: the whole largest change, towards the true map.
                held += std::fabs(std::fabs(change) - c.maxChange / 100) < 1e-12 &&
                        (change < 0) == (EcuError(i, j) > 1);
                moved += std::fabs(change);
            }
        }
        EXPECT_GE(trusted, kRows * kColumns * 8 / 10);
        EXPECT_GE(held * 100, c.heldAtLeast * trusted) << held << " of " << trusted;
        EXPECT_LE(held * 100, c.heldAtMost * trusted) << held << " of " << trusted;
        // The mean move: the hold, or about the 12 % the cells are off (less at the borders of
        // the rich and lean parts, where the weights mix both).
        EXPECT_GT(moved / trusted, 0.09);
    }
}

}  // namespace
}  // namespace grafolux
