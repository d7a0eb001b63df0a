#pragma once
// The million-sample drive log the table benchmarks read, made in memory.

#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

#include "logdata/LogModel.h"

namespace bench {

inline constexpr int32_t kSamples = 1'000'000;
inline const char* const kNames[] = {"TIME",       "SENSOR:RPM", "SENSOR:MAP", "SENSOR:BLM",
                                     "SENSOR:INT", "SENSOR:CTS", "MW2:7"};

struct Random {  // splitmix64
    uint64_t state = 1;
    double Uniform() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
    }
};

// A drive cycle: throttle wanders, engine speed and pressure follow it, as in a real log.
// With `noisy`, speed and pressure jump anywhere at every sample instead: the worst case. With
// `tenths`, BLM has a decimal, as a computed trim would.
inline grafolux::LogData MakeLog(bool noisy, int32_t samples = kSamples, uint64_t seed = 1,
                                 bool tenths = false) {
    std::vector<std::vector<double>> columns(std::size(kNames), std::vector<double>(samples));
    Random random{seed};
    double throttle = 10, target = 10, rpm = 850, map = 30;
    for (int32_t s = 0; s < samples; ++s) {
        if (random.Uniform() < 1.0 / 400) target = random.Uniform() * 100;
        throttle = std::fmin(100, std::fmax(0, throttle + (target - throttle) * 0.05 +
                                                   (random.Uniform() - 0.5) * 2));
        rpm += ((800 + throttle * 55) - rpm) * 0.02 + (random.Uniform() - 0.5) * 40;
        map += ((20 + throttle * 0.8) - map) * 0.1 + (random.Uniform() - 0.5);
        const double blm = (random.Uniform() - 0.5) * 20;
        columns[0][s] = s * 0.1;
        columns[1][s] = noisy ? random.Uniform() * 7000 : std::round(rpm);
        columns[2][s] = noisy ? random.Uniform() * 110 : std::round(map * 10) / 10;
        columns[3][s] = 128 + (tenths ? std::round(blm * 10) / 10 : std::round(blm));
        columns[4][s] = 128 + std::round((random.Uniform() - 0.5) * 16);
        columns[5][s] = std::fmin(90, 20 + s * 0.0002);  // the engine warms up
        columns[6][s] = random.Uniform() < 0.8;          // closed loop mostly
    }
    grafolux::LogData log;
    log.lngSampleCount = samples;
    for (size_t k = 0; k < columns.size(); ++k)
        log.AddItem({kNames[k]}, grafolux::Column::Encoded(columns[k]));
    return log;
}

inline const grafolux::LogData& DriveLog() {
    static const grafolux::LogData log = MakeLog(false);
    return log;
}

}  // namespace bench
