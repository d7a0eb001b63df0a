#pragma once
// From logged fuel trims to a corrected fuel map: each sample's fuel factor (by default
// BLM × INT ÷ 16384) is spread over the map cells around its engine speed and pressure; a cell
// with enough evidence moves by its weighted mean factor, held to a largest change per pass.
// One routine for the window and the command-line tool, which print the same result.

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exact/ExactSum.h"
#include "logdata/LogModel.h"
#include "logdata/SampleMarks.h"
#include "tables/FuelMap.h"
#include "tables/SampleFilter.h"

namespace grafolux {

// How a sample's weight goes to the cells: `Bilinear` spreads it over the four cells around the
// operating point in proportion to closeness; `Nearest` gives 1 to the nearest breakpoint in each
// axis (the lower one at an exact half). Either way after clamping into the axes.
enum class CellWeighting { Bilinear, Nearest };

// "bilinear", "nearest": the command line's names, also kept in the preferences.
std::string_view CellWeightingName(CellWeighting weighting);
std::optional<CellWeighting> CellWeightingNamed(std::string_view name);

struct RetuneSettings {
    CellWeighting weighting = CellWeighting::Bilinear;
    double minWeight = 5;   // the weight a cell needs to be trusted
    double maxChange = 10;  // percent a trusted cell may move in one pass
};

// Why the settings make no sense (one line), or nothing: a weight or change that is negative,
// infinite or not a number.
std::optional<std::string> RetuneSettingsError(const RetuneSettings& settings);

// One log's columns as a retune reads them. Element 0 of a column is sample 1; NaN is a missing
// value; a column that is not there (the log lacks the item) is missing in every sample, and
// so is a column whose length is not `samples`.
struct RetuneSource {
    int32_t samples = 0;          // the log's sample count
    int32_t first = 1, last = 0;  // 1-based, clamped into 1 .. samples; first > last: none
    const Column* rpm = nullptr;
    const Column* map = nullptr;
    std::span<const double> factor;
    const SampleFilter* filter = nullptr;  // resolved against the same log; none: all pass
};

// SENSOR:RPM and SENSOR:MAP of `log` (empty where it lacks them) with the factor and the filter
// given; the source refers to all of them, which must outlive it.
RetuneSource RetuneSourceOf(const LogData& log, int32_t first, int32_t last,
                            std::span<const double> factor, const SampleFilter& filter);

// SENSOR:BLM × SENSOR:INT ÷ 16384 per sample: 1 where neither trim adds or takes fuel. Empty
// when the log lacks either item.
std::vector<double> DefaultFuelFactor(const LogData& log);

struct RetuneCell {
    double weight = 0;  // W: the sum of the weights the samples gave the cell, rounded once
    // F: Σ weight × factor ÷ W, each sum exact and rounded once
    double factor = std::numeric_limits<double>::quiet_NaN();
    int64_t samples = 0;   // samples that gave the cell a weight above 0
    bool trusted = false;  // W ≥ the minimum weight and F > 0
    double change = 1;     // c: F held to 1 ± maxChange %, 1 where not trusted
    double value = 0;      // the new value: old × c, the old value where not trusted
};

// What the result rests on, for the legend. Counts are sums over the sources.
struct RetuneEvidence {
    int32_t logs = 0;
    int64_t samplesInRange = 0;
    // In range, passing every condition, with an engine speed, a pressure and a finite factor.
    int64_t samplesUsed = 0;
    // Per condition of the filters' list: the samples in range that fail it, each condition
    // counted on its own (a sample failing two counts in both).
    std::vector<int64_t> failedCondition;
    // Of the samples in range passing every condition, those lacking the engine speed, the
    // pressure or the factor (NaN or, for the factor, infinite): each on its own, and all told
    // (a sample lacking two counted once).
    int64_t missingRpm = 0, missingMap = 0, missingFactor = 0, missingAny = 0;
    int32_t trustedCells = 0, cells = 0;  // of the result; 0 in sums
    bool operator==(const RetuneEvidence&) const = default;
};

struct RetuneResult {
    std::vector<RetuneCell> cells;  // as FuelMap::cells
    RetuneEvidence evidence;
};

// What a map cell keeps of the samples that weigh on it.
struct RetuneCellSums {
    ExactSum weight;    // Σ weight
    ExactSum weighted;  // Σ weight × factor, each product exact
    int64_t samples = 0;
    bool operator==(const RetuneCellSums&) const = default;
};

// What a retune keeps of its samples, before the settings that judge the cells: a retune in the
// making, or a part of one. The same whatever the order of the samples.
struct RetuneSums {
    std::vector<RetuneCellSums> cells;  // as FuelMap::cells
    RetuneEvidence evidence;            // all but the cells' counts

    // Adds the sums of more samples of the same map, conditions and weighting.
    void Add(const RetuneSums& other);
    bool operator==(const RetuneSums&) const = default;
};

// Every source's filter must have been resolved from the same list of conditions.
RetuneSums GatherRetune(const FuelMap& map, std::span<const RetuneSource> sources,
                        CellWeighting weighting);
// The new map from the sums. Expects settings without RetuneSettingsError.
RetuneResult Retuned(const FuelMap& map, const RetuneSums& sums, const RetuneSettings& settings);

inline RetuneResult Retune(const FuelMap& map, std::span<const RetuneSource> sources,
                           const RetuneSettings& settings = {}) {
    return Retuned(map, GatherRetune(map, sources, settings.weighting), settings);
}

// The samples of the source's range (clamped) that the retune uses and that give cell (row,
// column), 0-based, a weight above 0: the cell's evidence, to mark on the graph.
SampleMarks MarkRetuneCellSamples(const FuelMap& map, const RetuneSource& source, size_t row,
                                  size_t column, CellWeighting weighting);

}  // namespace grafolux
