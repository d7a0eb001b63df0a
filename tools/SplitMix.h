#pragma once
// The generators' random numbers: splitmix64, small, fast and identical on every platform, so
// that a seed gives the same log everywhere.

#include <cstdint>

namespace grafolux::tools {

struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
};

}  // namespace grafolux::tools
