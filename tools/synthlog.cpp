// Writes a deterministic synthetic engine log to standard output: a drive cycle with
// realistic sensor columns and the seven flag-bit groups, CR LF line ends.
//   synthlog [--lines N] [--items K] [--seed S] [--random 1]
// K below the built-in column count keeps the built-in columns; above it adds SENSOR:AUXn.
// With --random 1 every value is a random double written with 17 significant digits: a log
// whose values do not compress.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SplitMix.h"

namespace {

using grafolux::tools::Random;

const char* const kSensors[] = {"TIME",       "SENSOR:RPM", "SENSOR:MAP", "SENSOR:TPS",
                                "SENSOR:O2",  "SENSOR:BLM", "SENSOR:INT", "SENSOR:SPARK",
                                "SENSOR:CTS", "SENSOR:MAT"};
const char* const kGroups[] = {
    "MW2:", "MWAF1:", "MCU1IO:", "MCU2IO:", "MALFFLG1:", "MALFFLG2:", "MALFFLG3:"};

long argValue(int argc, char** argv, const char* name, long fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return std::strtol(argv[i + 1], nullptr, 10);
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const long lines = argValue(argc, argv, "--lines", 2000);
    const long items = argValue(argc, argv, "--items", 0);
    Random rng{static_cast<uint64_t>(argValue(argc, argv, "--seed", 1))};
    const bool random = argValue(argc, argv, "--random", 0) != 0;

    std::vector<std::string> names(std::begin(kSensors), std::end(kSensors));
    for (const char* group : kGroups)
        for (int bit = 0; bit < 8; ++bit) names.push_back(std::string(group) + std::to_string(bit));
    for (long extra = 1; static_cast<long>(names.size()) < items; ++extra)
        names.push_back("SENSOR:AUX" + std::to_string(extra));

    std::string out;
    for (size_t i = 0; i < names.size(); ++i) out += (i ? "\t" : "") + names[i];
    out += "\r\n";
    std::fwrite(out.data(), 1, out.size(), stdout);

    double throttle = 10, target = 10, rpm = 850, map = 30;
    unsigned flags[7] = {};
    char field[64];
    for (long line = 0; line < lines; ++line) {
        // Throttle wanders towards a new target now and then; engine speed and pressure follow.
        if (rng.below(400) == 0) target = rng.uniform() * 100;
        throttle += (target - throttle) * 0.05 + (rng.uniform() - 0.5) * 2;
        throttle = std::fmin(100, std::fmax(0, throttle));
        rpm += ((800 + throttle * 55) - rpm) * 0.02 + (rng.uniform() - 0.5) * 40;
        map += ((20 + throttle * 0.8) - map) * 0.1 + (rng.uniform() - 0.5);
        const double blm = 128 + std::round((rng.uniform() - 0.5) * 20 + (map - 60) * 0.1);
        const double integ = 128 + std::round((rng.uniform() - 0.5) * 16);
        const double o2 = std::round(450 + std::sin(line * 0.3) * 400 + (rng.uniform() - 0.5) * 50);
        const double spark = std::round(10 + (100 - map) * 0.3 + rpm / 400);
        const double cts = std::round(std::fmin(95, 20 + line * 0.05));
        const double mat = std::round(25 + 10 * std::sin(line * 0.0005));

        const double values[] = {line * 0.1,
                                 std::round(rpm),
                                 std::round(map * 10) / 10,
                                 std::round(throttle),
                                 o2,
                                 blm,
                                 integ,
                                 spark,
                                 cts,
                                 mat};
        out.clear();
        if (random) {
            for (size_t i = 0; i < names.size(); ++i) {
                std::snprintf(field, sizeof field, i ? "\t%.17g" : "%.17g",
                              (rng.uniform() - 0.5) * std::pow(10.0, rng.below(9)));
                out += field;
            }
            out += "\r\n";
            std::fwrite(out.data(), 1, out.size(), stdout);
            continue;
        }
        for (size_t i = 0; i < std::size(values); ++i) {
            std::snprintf(field, sizeof field, i ? "\t%.10g" : "%.10g", values[i]);
            out += field;
        }
        for (unsigned& f : flags) {
            if (rng.below(50) == 0) f ^= 1u << rng.below(8);
            for (int bit = 0; bit < 8; ++bit) out += (f >> bit) & 1 ? "\t1" : "\t0";
        }
        for (size_t extra = std::size(kSensors) + 56; extra < names.size(); ++extra) {
            std::snprintf(field, sizeof field, "\t%d", rng.below(1000));
            out += field;
        }
        out += "\r\n";
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    return 0;
}
