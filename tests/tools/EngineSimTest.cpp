
#include <functional>

#include "SimulatedLog.h"

namespace grafolux {
namespace {

// Rows 1000, 3000 rpm; columns 20, 60, 100 kPa.
const char* const kSmall = "RPM,20,60,100\n1000,40,60,80\n3000,50,70,90\n";

TEST(SimulateEngineLog, TheLogFormatAndTheSameLogForTheSameSeed) {
    const FuelMap map = test::MapOf(kSmall);
    const std::string log = tools::SimulateEngineLog(map, map, {.samples = 50, .seed = 7});
    EXPECT_TRUE(log.starts_with(
        "TIME\tSENSOR:RPM\tSENSOR:MAP\tSENSOR:TPS\tSENSOR:O2\tSENSOR:BLM\tSENSOR:INT\t"
        "SENSOR:CTS\tSENSOR:MAT\r\n0\t"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 51);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\r'), 51);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\t'), 51 * 8);
    EXPECT_EQ(log, tools::SimulateEngineLog(map, map, {.samples = 50, .seed = 7}));
    EXPECT_NE(log, tools::SimulateEngineLog(map, map, {.samples = 50, .seed = 8}));
}

// An ECU map 10 % rich everywhere: warm and steady, the trims take the 10 % off (BLM learning
// it, INT back near 128); cold, the warm-up enrichment makes them read richer still; opening
// the throttle, leaner for a moment.
TEST(SimulateEngineLog, TheTrimsFollowTheFuelError) {
    const FuelMap trueVe = test::MapOf(kSmall);
    const FuelMap ecu = test::MapOf("RPM,20,60,100\n1000,44,66,88\n3000,55,77,99\n");
    const LogData log = test::SimulatedLog(trueVe, ecu, {.samples = 20000, .seed = 3});
    const auto column = [&](const char* name) { return *log.wholeColumn(log.itemNamed(name)); };
    const auto blm = column("SENSOR:BLM"), integrator = column("SENSOR:INT");
    const auto cts = column("SENSOR:CTS"), kpa = column("SENSOR:MAP");
    const auto unsteady = column(test::kUnsteady);
    struct Case {
        const char* name;
        std::function<bool(size_t)> holds;
        double lowest, highest;  // of the mean factor
    } cases[] = {
        {"warm and steady", [&](size_t s) { return cts[s] >= 80 && unsteady[s] <= 2; },
         1 / 1.1 - 0.01, 1 / 1.1 + 0.01},
        {"cold", [&](size_t s) { return cts[s] < 50 && unsteady[s] <= 2; }, 0.5, 1 / 1.1 - 0.03},
        {"opening the throttle",
         [&](size_t s) { return cts[s] >= 80 && s > 0 && kpa[s] - kpa[s - 1] > 4; }, 1 / 1.1 + 0.03,
         2},
    };
    for (const Case& c : cases) {
        double factor = 0, learnt = 0, n = 0;
        for (size_t s = 0; s < blm.size(); ++s) {
            factor += c.holds(s) ? blm[s] * integrator[s] / 16384 : 0;
            learnt += c.holds(s) ? blm[s] : 0;
            n += c.holds(s);
        }
        ASSERT_GT(n, 100) << c.name;
        // Warm and steady, BLM has learnt the error.
        EXPECT_TRUE(&c != &cases[0] || std::fabs(learnt / n - 128 / 1.1) <= 2) << learnt / n;
        EXPECT_GE(factor / n, c.lowest) << c.name;
        EXPECT_LE(factor / n, c.highest) << c.name;
    }
}

}  // namespace
}  // namespace grafolux
