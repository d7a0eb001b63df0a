#include "EngineSim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "SplitMix.h"

namespace grafolux::tools {

namespace {

// The breakpoint below v in an axis (the last but one at most) and how far v lies towards the
// next, clamped into the axis.
std::pair<size_t, double> Locate(const std::vector<double>& axis, double v) {
    v = std::clamp(v, axis.front(), axis.back());
    size_t i = 0;
    while (i + 2 < axis.size() && axis[i + 1] <= v) ++i;
    return {i, (v - axis[i]) / (axis[i + 1] - axis[i])};
}

// A normally distributed number (mean 0, deviation 1).
double Normal(Random& random) {
    const double u = 1 - random.uniform(), v = random.uniform();
    return std::sqrt(-2 * std::log(u)) * std::cos(2 * std::numbers::pi * v);
}

// Where the drive is going and how long it stays.
struct Leg {
    double rpm, kpa;
    int32_t moving, dwelling;  // samples
};

class Drive {
public:
    Drive(const FuelMap& ecu, Random& random) : ecu_(ecu), random_(random) {
        rpm_ = ecu.rows.values.front();
        kpa_ = ecu.columns.values.front();
        NextLeg();
    }

    // One tenth of a second on.
    void Step() {
        if (leg_.moving > 0) {  // a straight line to the target, over the samples left
            rpm_ += (leg_.rpm - rpm_) / leg_.moving;
            kpa_ += (leg_.kpa - kpa_) / leg_.moving;
            --leg_.moving;
        } else if (--leg_.dwelling <= 0) {
            NextLeg();
        }
    }
    // With the noise of a real engine and sensor.
    double rpm() const { return rpm_ + 10 * Normal(random_); }
    double kpa() const { return kpa_ + 0.25 * Normal(random_); }

private:
    // Anywhere over the ECU map, a little beyond its edges too.
    void NextLeg() {
        const auto anywhere = [&](const std::vector<double>& axis) {
            const double span = axis.back() - axis.front();
            return axis.front() - 0.05 * span + 1.1 * span * random_.uniform();
        };
        leg_ = {anywhere(ecu_.rows.values), std::max(10.0, anywhere(ecu_.columns.values)),
                5 + random_.below(10), 30 + random_.below(70)};
    }

    const FuelMap& ecu_;
    Random& random_;
    double rpm_, kpa_;
    Leg leg_;
};

// The trims, in the ECU's units (128 = no correction).
class Trims {
public:
    explicit Trims(const FuelMap& ecu)
        : ecu_(ecu), learned_(ecu.cells.size(), 128), integrator_(128) {}

    // `need` is the fuel the engine needs over what the map gives (1 = none); `rpm` and `kpa`
    // the operating point; `steady` whether BLM may learn (as ECUs, not in a transient).
    // Returns BLM and INT as logged.
    std::pair<double, double> Step(double need, double rpm, double kpa, bool steady,
                                   Random& random) {
        const auto [i, fr] = Locate(ecu_.rows.values, rpm);
        const auto [j, fm] = Locate(ecu_.columns.values, kpa);
        const size_t cell = (fr < 0.5 ? i : i + 1) * ecu_.columnCount() + (fm < 0.5 ? j : j + 1);
        double& blm = learned_[cell];
        // INT closes most of the gap each tenth of a second; BLM takes over what INT holds.
        integrator_ += 0.4 * (128 * 128 * need / blm - integrator_);
        if (steady) blm = std::clamp(blm + 0.1 * (integrator_ - 128), 64.0, 192.0);
        const double loggedInt = std::round(integrator_ + 1.5 * Normal(random));
        return {std::round(blm), std::clamp(loggedInt, 0.0, 255.0)};
    }

private:
    const FuelMap& ecu_;
    std::vector<double> learned_;  // BLM per cell of the ECU map
    double integrator_;
};

void Append(std::string& out, double value, bool first = false) {
    char field[40];
    std::snprintf(field, sizeof field, first ? "%.10g" : "\t%.10g", value);
    out += field;
}

}  // namespace

double InterpolatedCell(const FuelMap& map, double rpm, double kpa) {
    const auto [i, fr] = Locate(map.rows.values, rpm);
    const auto [j, fm] = Locate(map.columns.values, kpa);
    const size_t columns = map.columnCount();
    const auto at = [&](size_t r, size_t c) { return map.cells[r * columns + c]; };
    return (1 - fr) * (1 - fm) * at(i, j) + fr * (1 - fm) * at(i + 1, j) +
           (1 - fr) * fm * at(i, j + 1) + fr * fm * at(i + 1, j + 1);
}

std::string SimulateEngineLog(const FuelMap& trueVe, const FuelMap& ecuVe,
                              const EngineDrive& drive) {
    Random random{drive.seed};
    Drive path(ecuVe, random);
    Trims trims(ecuVe);
    std::string out =
        "TIME\tSENSOR:RPM\tSENSOR:MAP\tSENSOR:TPS\tSENSOR:O2\tSENSOR:BLM\tSENSOR:INT\tSENSOR:CTS\t"
        "SENSOR:MAT\r\n";
    double coolant = drive.coldCoolant, wallFuel = 0, lastKpa = 0;
    for (int32_t s = 0; s < drive.samples; ++s) {
        path.Step();
        const double rpm = path.rpm(), kpa = path.kpa();
        // Fuel on the manifold walls: opening up leans the mixture for a moment, closing
        // richens it.
        const double deltaKpa = s == 0 ? 0 : kpa - lastKpa;
        lastKpa = kpa;
        wallFuel = 0.75 * wallFuel + 0.02 * deltaKpa;
        // Warming by about a degree a second at first; below 80 °C the ECU adds fuel.
        coolant += 0.0015 * (90 - coolant);
        const double warmUp = 1 + 0.25 * std::max(0.0, 80 - coolant) / 60;
        const double need = InterpolatedCell(trueVe, rpm, kpa) / InterpolatedCell(ecuVe, rpm, kpa) *
                            (1 + wallFuel) / warmUp;
        const bool steady = std::fabs(wallFuel) < 0.01;
        const auto [blm, integrator] = trims.Step(need, rpm, kpa, steady, random);
        const double throttle = std::clamp((kpa - 18) * 1.25 + 2 * Normal(random), 0.0, 100.0);
        const double o2 =
            std::round(450 + 400 * std::tanh(8 * (1 / need - 1)) + 30 * Normal(random));
        Append(out, s * 0.1, true);
        Append(out, std::round(rpm));
        Append(out, std::round(kpa * 10) / 10);
        Append(out, std::round(throttle));
        Append(out, o2);
        Append(out, blm);
        Append(out, integrator);
        Append(out, std::round(coolant));
        Append(out, std::round(25 + 5 * std::sin(s * 0.0005)));
        out += "\r\n";
    }
    return out;
}

}  // namespace grafolux::tools
