#pragma once
// A simulated engine in closed loop, for trying a retune end to end: the ECU fuels by the map
// it runs, the engine breathes by its true VE map, and the fuel trims follow the difference.
//
// The drive dwells at operating points spread over the maps (a few seconds each, with a little
// noise) and moves between them quickly: MAP and TPS change fast there, a lean or rich spike
// follows (fuel on the manifold walls) and the trims lag. The engine starts cold; the ECU's
// warm-up enrichment then makes the trims read rich. Logged at 10 samples a second:
//   TIME, SENSOR:RPM, SENSOR:MAP, SENSOR:TPS, SENSOR:O2, SENSOR:BLM, SENSOR:INT, SENSOR:CTS,
//   SENSOR:MAT
// INT corrects quickly towards what the fuel needs beyond BLM (128 = none); BLM learns from INT,
// cell by cell of the ECU map, and starts at 128 in every cell, as after the map is written.
// In a steady warm state BLM × INT ÷ 16384 ≈ true VE ÷ ECU VE at the operating point (both maps
// interpolated bilinearly, clamped at their edges).

#include <cstdint>
#include <string>

#include "tables/FuelMap.h"

namespace grafolux::tools {

struct EngineDrive {
    int32_t samples = 36000;  // an hour
    uint64_t seed = 1;        // the same seed gives the same log
    double coldCoolant = 20;  // °C at the start; warm is about 90
};

// The log as text, in the format the loader reads: item names and values joined by TAB, lines
// ended by CR LF.
std::string SimulateEngineLog(const FuelMap& trueVe, const FuelMap& ecuVe,
                              const EngineDrive& drive);

// The map's value at (rpm, map), interpolated bilinearly between its breakpoints and clamped at
// its edges.
double InterpolatedCell(const FuelMap& map, double rpm, double kpa);

}  // namespace grafolux::tools
