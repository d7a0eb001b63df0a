#include "graph/NiceScale.h"

#include <cmath>

#include "logdata/Rounding.h"

namespace grafolux {

const std::array<double, 26> varScaleSteps = {0.01, 0.05, 0.1, 0.25, 0.5, 1,   2,   5,   10,
                                              20,   25,   50,  75,   100, 125, 150, 200, 250,
                                              300,  400,  500, 600,  700, 800, 900, 1000};

namespace {

// The table's top decade (125 ... 1000); larger ranges get the same steps times 10, 100, ...
constexpr size_t kTopDecadeStart = 14;

// Widens low..high to multiples of q and tells whether mostSteps steps of q cover it. The
// quotients are compared exactly: one that misses a whole number rounds the high end up.
// A range beyond the doubles never fits, however large the step.
bool Fits(double q, double low, double high, double mostSteps, double& scaleLow, double& scaleHigh,
          int32_t& steps) {
    scaleLow = std::floor(low / q) * q;
    const double highSteps = high / q;
    scaleHigh = highSteps != std::floor(highSteps) ? (std::floor(highSteps) + 1) * q : high;
    const double range = scaleHigh - scaleLow;
    if (!std::isfinite(range) || !(mostSteps * q >= range)) return false;
    steps = RoundLong(range / q);
    return true;
}

}  // namespace

double NiceScale(double low, double high, double mostSteps, double& scaleLow, double& scaleHigh,
                 int32_t& steps) {
    for (const double q : varScaleSteps)
        if (Fits(q, low, high, mostSteps, scaleLow, scaleHigh, steps)) return q;
    for (double decade = 10;; decade *= 10) {
        for (size_t i = kTopDecadeStart; i < varScaleSteps.size(); ++i) {
            const double q = varScaleSteps[i] * decade;
            if (!std::isfinite(q)) return 0;
            if (Fits(q, low, high, mostSteps, scaleLow, scaleHigh, steps)) return q;
        }
    }
}

double FloatMod(double a, double b) { return a - std::floor(a / b) * b; }

}  // namespace grafolux
