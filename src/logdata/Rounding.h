#pragma once
// Whole-number conversions: to nearest, halves to even, clamped into the target type
// instead of overflowing.

#include <cmath>
#include <cstdint>
#include <limits>

namespace grafolux {

template <typename Int>
Int RoundTo(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

// A Long (32-bit) from a double.
inline int32_t RoundLong(double value) { return RoundTo<int32_t>(value); }
// An Integer (16-bit) from a double.
inline int16_t RoundInteger(double value) { return RoundTo<int16_t>(value); }

}  // namespace grafolux
