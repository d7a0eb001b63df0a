// Retune passes on the simulated engine, from an ECU map 12 % off its true VE map in a pattern
// (some cells rich, some lean), each pass on a fresh log of the map the last one made, as
// `grafolux-cli retune` runs them. The filter is a careful tuner's: a warm engine
// (SENSOR:CTS >= 80) and no transient (a computed item, UNSTEADY <= 2 kPa: SimulatedLog.h).

#include <functional>
#include <numbers>

#include "SimulatedLog.h"
#include "tables/RetuneLogs.h"
#include "tables/RetuneText.h"

namespace grafolux {
namespace {

constexpr int kRows = 15, kColumns = 9;  // 800 … 6400 rpm, 20 … 100 kPa

// A smooth VE surface: higher with pressure, best in the middle of the speed range.
double TrueVe(int i, int j) {
    return 35 + 5 * (j + 2) * (0.75 + 0.25 * std::sin(std::numbers::pi * i / 14));
}
// The four quarters of the map, 12 % rich and 12 % lean crosswise.
double EcuError(int i, int j) { return (i < 8) == (j < 5) ? 1.12 : 0.88; }

FuelMap MapOf(const std::function<double(int, int)>& cell) {
    std::string text = "RPM\\kPa";
    for (int j = 0; j < kColumns; ++j) text.append("\t").append(std::to_string(20 + 10 * j));
    for (int i = 0; i < kRows; ++i) {
        text.append("\n").append(std::to_string(800 + 400 * i));
        for (int j = 0; j < kColumns; ++j) text.append("\t").append(FixedText(cell(i, j), 1));
    }
    return test::MapOf(text);
}

const FuelMap& TrueVeMap() {
    static const FuelMap map = MapOf(TrueVe);
    return map;
}
const FuelMap& FirstEcuMap() {
    static const FuelMap map = MapOf([](int i, int j) { return TrueVe(i, j) * EcuError(i, j); });
    return map;
}

// The ECU running `ecu` for an hour, and the retune of `ecu` on that log by `factor` (the
// default factor when none). How far one pass may move a cell is the core's test.
RetuneResult RetuneOn(const FuelMap& ecu, uint64_t seed, const char* factorItem = nullptr) {
    const LogData log = test::SimulatedLog(TrueVeMap(), ecu, {.seed = seed});
    const std::vector<SampleCondition> careful = {{"SENSOR:CTS", CompareOp::GreaterEqual, 80},
                                                  {test::kUnsteady, CompareOp::LessEqual, 2}};
    const TableSource whole{&log, 1, log.lngSampleCount};
    auto retuned =
        RetuneLogs(ecu, std::span(&whole, 1),
                   factorItem ? std::optional<std::string>(factorItem) : std::nullopt, careful, {});
    EXPECT_TRUE(std::holds_alternative<RetuneOfLogs>(retuned));
    RetuneResult result = std::get<RetuneOfLogs>(std::move(retuned)).result;
    // The careful filter dropped the cold start and the transients.
    EXPECT_GT(result.evidence.failedCondition[0], 1000);
    EXPECT_GT(result.evidence.failedCondition[1], 1000);
    return result;
}

FuelMap Pass(const FuelMap& ecu, uint64_t seed) {
    return test::MapOf(RetuneText(ecu, RetuneOn(ecu, seed), RetuneShow::Map));
}

TEST(RetuneConvergence, TwoPassesBringBlmWithinTwoOf128) {
    const FuelMap third = Pass(Pass(FirstEcuMap(), 1), 2);
    // Of a fresh log: F by the BLM column is the mean BLM of each cell.
    int trusted = 0, within = 0;
    for (const RetuneCell& cell : RetuneOn(third, 3, "SENSOR:BLM").cells) {
        trusted += cell.trusted;
        within += cell.trusted && std::fabs(cell.factor - 128) <= 2;
    }
    EXPECT_GE(trusted, kRows * kColumns * 8 / 10);
    EXPECT_GE(within * 10, trusted * 9) << within << " of " << trusted << " trusted cells";
}

}  // namespace
}  // namespace grafolux
