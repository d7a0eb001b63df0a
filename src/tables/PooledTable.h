#pragma once
// A cell table over one or several logs, each with its own sample range, under one list of
// sample conditions: what the window and `grafolux-cli table` both build.

#include <span>
#include <string>
#include <vector>

#include "tables/CellStats.h"
#include "tables/SampleFilter.h"

namespace grafolux {

struct TableSource {
    const LogData* log;
    int32_t first, last;  // 1-based, clamped into the log
};

struct PooledTable {
    CellTable table;
    // Per source, the positions of the conditions naming an item its log lacks (ignored there).
    std::vector<std::vector<size_t>> missing;
};

struct PooledSums {
    TableSums sums;
    std::vector<std::vector<size_t>> missing;  // as PooledTable's
};

// The sources' samples, as one log holding them one after the other.
PooledSums ComputePooledSums(std::span<const TableSource> sources, TableKind kind,
                             std::span<const SampleCondition> conditions,
                             Gathered gathered = Gathered::Everything);
PooledTable ComputePooledTable(std::span<const TableSource> sources, TableKind kind,
                               std::span<const SampleCondition> conditions,
                               Gathered gathered = Gathered::Everything);

// The items both tables and these conditions read: what a further log must keep.
std::vector<std::string> ItemsReadByTables(std::span<const SampleCondition> conditions);

}  // namespace grafolux
