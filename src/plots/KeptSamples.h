#pragma once
// The samples a scatter plot or a histogram shows: those of every log in its range that pass
// the sample filters and have a value of each item read, as the cell tables count them.

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "plots/LargePages.h"
#include "tables/PooledTable.h"
#include "tables/SampleFilter.h"

namespace grafolux {

// A log that lacks an item the plot reads.
struct PlotLack {
    size_t log;  // its place among the logs given
    std::string item;
};

struct KeptSamples {
    // Per item read, the kept samples' values, the logs' one after the other.
    std::vector<PlotValues> values;
    int64_t inRange = 0;  // samples in the logs' ranges
    // Samples that pass the filters but lack a value of an item that must have one.
    int64_t withoutValue = 0;
    // Per condition, the samples it drops on its own (a sample failing two counts for both).
    std::vector<int64_t> failing;
    // Per log, the positions of the conditions naming an item it lacks (ignored there).
    std::vector<std::vector<size_t>> missingConditions;

    size_t count() const { return values.empty() ? 0 : values.front().size(); }
    // Samples that fail some filter.
    int64_t filtered() const { return inRange - withoutValue - static_cast<int64_t>(count()); }
};

// The samples of `logs` that pass every condition (one naming an item a log lacks is ignored
// there) and have a value of each of `items`, the first `required` of them; the others' values
// may be missing (NaN).
std::variant<KeptSamples, PlotLack> KeepSamples(std::span<const TableSource> logs,
                                                std::span<const std::string> items, size_t required,
                                                std::span<const SampleCondition> conditions);

}  // namespace grafolux
