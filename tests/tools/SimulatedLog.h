#pragma once
// Logs of the simulated engine as the program would load them, and maps from text, for the
// tests of tools/.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "EngineSim.h"
#include "formula/ComputedItems.h"
#include "logdata/LogParser.h"
#include "tables/FuelMap.h"

namespace grafolux::test {

inline FuelMap MapOf(const std::string& text) {
    auto parsed = ParseFuelMap(text, "map");
    EXPECT_TRUE(std::holds_alternative<FuelMap>(parsed)) << std::get<MapError>(parsed).message;
    return std::get<FuelMap>(std::move(parsed));
}

// The largest |MAP change| between neighbouring samples over the last two seconds: what a
// filter keeps low to drop transients, and the trims' lag after them. A computed item, as a
// tuner defines it: each definition doubles the samples looked back over, the last reaches 20.
constexpr const char* kUnsteady = "UNSTEADY";
inline const std::vector<std::string> kUnsteadyDefinitions = {
    "DMAP = abs(SENSOR:MAP - SENSOR:MAP[-1])", "DMAP2 = max(DMAP, DMAP[-1])",
    "DMAP4 = max(DMAP2, DMAP2[-2])",           "DMAP8 = max(DMAP4, DMAP4[-4])",
    "DMAP16 = max(DMAP8, DMAP8[-8])",          "UNSTEADY = max(DMAP16, DMAP4[-16])"};

// The simulated log, loaded from its text, with the kUnsteady item computed.
inline LogData SimulatedLog(const FuelMap& trueVe, const FuelMap& ecu,
                            const tools::EngineDrive& drive) {
    LogData log =
        std::get<LogData>(ParseLog(tools::SimulateEngineLog(trueVe, ecu, drive), 0, {}, 1));
    const auto definitions = ParseDefinitions(kUnsteadyDefinitions);
    EXPECT_TRUE(
        AttachComputedItems(log, std::get<std::vector<Definition>>(definitions), 0).empty());
    return log;
}

}  // namespace grafolux::test
