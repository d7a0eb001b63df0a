#pragma once
// A retune over whole logs, as the window and `grafolux-cli retune` both run it: each log in
// its range under one list of conditions, the fuel factor read from an item of each log (a
// logged or a computed one) or, by default, from its trims.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tables/PooledTable.h"
#include "tables/Retune.h"

namespace grafolux {

// A log that lacks what a retune reads: the engine speed, the pressure or the factor's item.
struct RetuneLack {
    size_t log;        // its place among the logs given
    std::string item;  // the item it lacks
};

// What the retune reads of each log: the factor column and the resolved conditions. Refers to
// the logs, which must outlive it and stay as they are.
class RetuneInputs {
public:
    // `factorItem` names the factor's item; none: SENSOR:BLM × SENSOR:INT ÷ 16384.
    static std::variant<RetuneInputs, RetuneLack> For(std::span<const TableSource> logs,
                                                      const std::optional<std::string>& factorItem,
                                                      std::span<const SampleCondition> conditions);

    std::vector<RetuneSource> Sources() const;
    // Per log, the positions of the conditions naming an item it lacks (ignored there).
    std::vector<std::vector<size_t>> MissingConditions() const;
    // The samples of log `log` in `first` .. `last` that touch cell (row, column).
    SampleMarks MarkCell(size_t log, const FuelMap& map, size_t row, size_t column, int32_t first,
                         int32_t last, CellWeighting weighting) const;

private:
    struct Input {
        TableSource log;
        WholeColumn factor;  // the item's, or the default factor computed here
        SampleFilter filter;
    };
    // Each input stays where it is made: the sources point at its factor and filter.
    std::vector<std::unique_ptr<Input>> inputs_;
};

// The retune of `map` over the logs; the reasons a log cannot take part.
struct RetuneOfLogs {
    RetuneResult result;
    std::vector<std::vector<size_t>> missingConditions;  // as RetuneInputs gives them
};
std::variant<RetuneOfLogs, RetuneLack> RetuneLogs(const FuelMap& map,
                                                  std::span<const TableSource> logs,
                                                  const std::optional<std::string>& factorItem,
                                                  std::span<const SampleCondition> conditions,
                                                  const RetuneSettings& settings);

// The same before the settings that judge the cells.
struct RetuneSumsOfLogs {
    RetuneSums sums;
    std::vector<std::vector<size_t>> missingConditions;
};
std::variant<RetuneSumsOfLogs, RetuneLack> GatherRetuneLogs(
    const FuelMap& map, std::span<const TableSource> logs,
    const std::optional<std::string>& factorItem, std::span<const SampleCondition> conditions,
    CellWeighting weighting);

// A weight or a percentage as the command line and the preferences give it: plain decimals,
// `digits(.digits)?`, that a double holds; nothing for any other text.
std::optional<double> PlainDecimal(std::string_view text);
// The shortest such text that reads back to `value` (finite, 0 or more).
std::string PlainDecimalText(double value);

// The items a retune reads of a log: speed, pressure, the factor's (the trims by default) and
// the conditions'.
std::vector<std::string> ItemsReadByRetune(const std::optional<std::string>& factorItem,
                                           std::span<const SampleCondition> conditions);
// The items a log pooled into both the tables and the retune keeps: the tables' and the
// factor's.
std::vector<std::string> ItemsReadByTablesAndRetune(const std::optional<std::string>& factorItem,
                                                    std::span<const SampleCondition> conditions);

}  // namespace grafolux
