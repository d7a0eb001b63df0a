#pragma once
// Logs of the simulated engine as the program would load them, and maps from text, for the
// tests of tools/.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "EngineSim.h"
#include "logdata/LogParser.h"
#include "tables/FuelMap.h"

namespace grafolux::test {

inline FuelMap MapOf(const std::string& text) {
    auto parsed = ParseFuelMap(text, "map");
    EXPECT_TRUE(std::holds_alternative<FuelMap>(parsed)) << std::get<MapError>(parsed).message;
    return std::get<FuelMap>(std::move(parsed));
}

// The largest |MAP change| between neighbouring samples over the last two seconds: what a
// filter keeps low to drop transients, and the trims' lag after them. Computed here until
// computed items exist.
constexpr const char* kUnsteady = "TEST:DMAP";

// The simulated log, loaded from its text, with the kUnsteady column added.
inline LogData SimulatedLog(const FuelMap& trueVe, const FuelMap& ecu,
                            const tools::EngineDrive& drive) {
    LogData log =
        std::get<LogData>(ParseLog(tools::SimulateEngineLog(trueVe, ecu, drive), 0, {}, 1));
    const std::span<const double> kpa = log.column(log.itemNamed("SENSOR:MAP"));
    std::vector<double> unsteady(kpa.size());
    for (size_t s = 1; s < kpa.size(); ++s)
        for (size_t back = 0; back < 20 && back < s; ++back)
            unsteady[s] = std::max(unsteady[s], std::fabs(kpa[s - back] - kpa[s - back - 1]));
    log.udtItems.push_back({kUnsteady});
    log.dblSamples.insert(log.dblSamples.end(), unsteady.begin(), unsteady.end());
    ++log.lngItemCount;
    return log;
}

}  // namespace grafolux::test
