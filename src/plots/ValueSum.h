#pragma once
// The sum behind a mean (a pixel's colour, a histogram's), kept in this one place so that a more
// exact sum can take its place.

#include <cstdint>
#include <optional>

namespace grafolux {

struct ValueSum {
    double sum = 0;
    int64_t count = 0;
    void Add(double value) {
        sum += value;
        ++count;
    }
    // None when no value was added.
    std::optional<double> Mean() const {
        if (count == 0) return std::nullopt;
        return sum / static_cast<double>(count);
    }
};

}  // namespace grafolux
