#pragma once
// Small logs built in memory for the drawing tests.

#include <string>
#include <vector>

#include "logdata/LogModel.h"

namespace grafolux::test {

struct TestItem {
    std::string name;
    std::vector<double> samples;  // every item of a log has the same number
    bool locked = false;
    Colour colour = RGB(0, 0, 192);
    bool filled = false;
};

inline LogData MakeLog(const std::vector<TestItem>& items) {
    LogData log;
    log.lngItemCount = static_cast<int32_t>(items.size());
    log.lngSampleCount = items.empty() ? 0 : static_cast<int32_t>(items[0].samples.size());
    for (const TestItem& item : items) {
        log.udtItems.push_back({item.name, item.locked, item.colour, item.filled});
        log.dblSamples.insert(log.dblSamples.end(), item.samples.begin(), item.samples.end());
    }
    return log;
}

// Samples 1..n with value f(s).
template <typename F>
std::vector<double> Samples(int n, F f) {
    std::vector<double> values;
    for (int s = 1; s <= n; ++s) values.push_back(f(s));
    return values;
}

}  // namespace grafolux::test
