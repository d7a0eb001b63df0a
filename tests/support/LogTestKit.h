#pragma once
// Small logs built in memory.

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
    log.lngSampleCount = items.empty() ? 0 : static_cast<int32_t>(items[0].samples.size());
    for (const TestItem& item : items)
        log.AddItem({item.name, item.locked, item.colour, item.filled},
                    Column::Encoded(item.samples));
    return log;
}

// Every item's samples, one column after the other.
inline std::vector<double> Table(const LogData& log) {
    std::vector<double> values;
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        const WholeColumn column = log.wholeColumn(k);
        values.insert(values.end(), column->begin(), column->end());
    }
    return values;
}

// `rows` holds each sample's values in the order of `names`.
inline LogData MakeLogOfRows(const std::vector<std::string>& names,
                             const std::vector<std::vector<double>>& rows) {
    std::vector<TestItem> items;
    for (size_t k = 0; k < names.size(); ++k) {
        items.push_back({names[k], {}});
        for (const auto& row : rows) items.back().samples.push_back(row[k]);
    }
    return MakeLog(items);
}

// Samples 1..n with value f(s).
template <typename F>
std::vector<double> Samples(int n, F f) {
    std::vector<double> values;
    for (int s = 1; s <= n; ++s) values.push_back(f(s));
    return values;
}

}  // namespace grafolux::test
