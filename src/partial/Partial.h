#pragma once
// A partial result: what a cell table or a retune gathered from some logs, kept so that the
// partials of any split of the logs merge into exactly what one run over all of them gives.
// Beside the sums it holds everything two partials must share to be merged (the command, the
// table or the map, the factor, the cell rule, the conditions and the definitions): the
// fingerprint. Which logs and which samples of them went in is not part of it; that is what
// merging adds up.

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "tables/CellStats.h"
#include "tables/FuelMap.h"
#include "tables/PooledTable.h"
#include "tables/Retune.h"
#include "tables/SampleFilter.h"

namespace grafolux {

// One line of the fingerprint: "command" table|retune, "table" blm|int, "map" (a line of the
// fuel map, TAB-separated, one field per line), "factor" ("item NAME" or "trims"), "cells"
// (bilinear|nearest), "where" (a condition), "define" (a definition as given).
struct PartialField {
    std::string name, value;
    bool operator==(const PartialField&) const = default;
};

struct Partial {
    std::vector<PartialField> fingerprint;
    std::variant<TableSums, RetuneSums> sums;
    bool operator==(const Partial&) const = default;
};

// What shapes a table's sums besides its logs.
struct TableQuery {
    TableKind kind = TableKind::Blm;
    std::vector<SampleCondition> conditions;
    std::vector<std::string> definitions;  // NAME=EXPR, as given
};

// What shapes a retune's sums besides its logs.
struct RetuneQuery {
    FuelMap map;
    std::optional<std::string> factor;  // the factor's item; none: the trims
    CellWeighting weighting = CellWeighting::Bilinear;
    std::vector<SampleCondition> conditions;
    std::vector<std::string> definitions;
};

// The sums with their fingerprint. A table's sums must gather everything.
Partial TablePartial(const TableQuery& query, TableSums sums);
Partial RetunePartial(const RetuneQuery& query, RetuneSums sums);

// A log that lacks an item a partial reads: its place among the logs, the item, and the place
// of the condition naming it (none for the retune's speed, pressure or factor).
struct PartialLack {
    size_t log;
    std::string item;
    std::optional<size_t> condition;
};

// The partial of the logs, each in its range, the definitions already attached to them.
std::variant<Partial, PartialLack> MakeTablePartial(const TableQuery& query,
                                                    std::span<const TableSource> logs);
std::variant<Partial, PartialLack> MakeRetunePartial(const RetuneQuery& query,
                                                     std::span<const TableSource> logs);

bool IsRetunePartial(const Partial& partial);

// What differs between two fingerprints, for a message ("the conditions (--where)"); nothing
// when they match and the partials can be merged.
std::optional<std::string> FingerprintDifference(const Partial& a, const Partial& b);

// What a partial counts at most (samples, logs): far beyond any fleet, and two such counts add
// up without overflowing.
inline constexpr int64_t kMostCounted = int64_t{1} << 53;

// Adds `more` to `into`, whose fingerprints must match and whose counts are at most
// kMostCounted; an error, and `into` as it was, when a count would then pass that, or a cell
// count more samples than a table shows.
std::optional<std::string> MergePartial(Partial& into, const Partial& more);

// The fuel map a retune partial was made with.
FuelMap PartialMap(const Partial& partial);

}  // namespace grafolux
