#pragma once
// Choice of round axis steps.

#include <array>
#include <cstdint>

namespace grafolux {

extern const std::array<double, 26> varScaleSteps;

// Chooses the smallest step whose `mostSteps` steps cover low..high. Returns the step, and
// sets scaleLow, scaleHigh and steps. Beyond the table's 1000 it goes on a decade higher
// with the same pattern (1250, 1500, 2000, ... 10000, then x10 again); it returns 0 only
// when nothing finite fits.
double NiceScale(double low, double high, double mostSteps, double& scaleLow, double& scaleHigh,
                 int32_t& steps);

// a - Int(a / b) * b, Int rounding down.
double FloatMod(double a, double b);

}  // namespace grafolux
