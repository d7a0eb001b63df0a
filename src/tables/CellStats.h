#pragma once
// Statistics of SENSOR:BLM or SENSOR:INT per engine-speed x manifold-pressure cell: count,
// mean, minimum, maximum and sample standard deviation, all gathered in one pass over the
// samples of one log or of several pooled logs, optionally only of the samples that pass a
// filter. The sums are exact, so a table is the same whatever the order of its samples, and the
// sums of tables over parts of the samples add up to those of the whole.

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <memory>

#include "exact/ExactSum.h"
#include "logdata/LogModel.h"
#include "tables/CellLabels.h"
#include "tables/SampleFilter.h"

namespace grafolux {

enum class TableKind { Blm, Int };

// The items a table reads, besides those its filters name.
constexpr const char* kRpmItem = "SENSOR:RPM";
constexpr const char* kMapItem = "SENSOR:MAP";
const char* ValueItemOf(TableKind kind);

template <typename T>
using CellGrid = std::array<std::array<T, kTableColumns>, kTableRows>;

struct CellTable {
    // [row k - 1][column m - 1], labelled as CellLabels.h says. A cell without samples
    // holds 0 in every statistic; stdDev is 0 in a cell of one sample.
    CellGrid<double> mean{};  // the exact sum over the count, rounded once
    CellGrid<int32_t> count{};
    CellGrid<double> minimum{};
    CellGrid<double> maximum{};
    CellGrid<double> stdDev{};   // sample standard deviation, dividing by count - 1
    int64_t samplesInRange = 0;  // samples read, in or out of the grid
    int64_t samplesPassed = 0;   // of those, the samples that passed the filter
};

// What a table gathers: everything, or only what the mean and the count need (the plain
// table's pass, which skips the spread's work).
enum class Gathered { Everything, MeanAndCount };

// What a cell keeps of its samples, from which every statistic follows.
struct CellSums {
    int64_t count = 0;
    ExactSum sum, squares;  // of the values and of their squares
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();

    void Add(const CellSums& other);
    bool operator==(const CellSums&) const = default;
};

// The sums of every cell: a table in the making, or a part of one.
struct TableSums {
    CellGrid<CellSums> cells;  // as CellTable's
    int64_t samplesInRange = 0, samplesPassed = 0;
    Gathered gathered = Gathered::Everything;  // MeanAndCount: no squares, minima or maxima

    // Adds the sums of more samples: the sums of both parts together.
    void Add(const TableSums& other);
    // Every statistic of every cell. Expects counts of at most 2^31 - 1.
    CellTable Table() const;
    bool operator==(const TableSums&) const = default;
};

// Accumulates samples of one or several logs into one table: adding log A and then log B
// gives the table of the log whose samples are A's followed by B's (or B's followed by A's).
class CellTableBuilder {
public:
    explicit CellTableBuilder(TableKind kind, Gathered gathered = Gathered::Everything);
    ~CellTableBuilder();
    CellTableBuilder(const CellTableBuilder&) = delete;
    CellTableBuilder& operator=(const CellTableBuilder&) = delete;

    // Samples first..last (1-based, clamped into the log; first > last adds none) that pass
    // `filter`, which must have been resolved against `log`. A log without SENSOR:RPM or
    // SENSOR:MAP has no sample in any cell; without the value item its cells hold 0.
    void Add(const LogData& log, int32_t first, int32_t last, const SampleFilter& filter = {});
    TableSums Sums() const;
    // Exact sums make a mean or a standard deviation infinite only when the true one is.
    CellTable Finish() const { return Sums().Table(); }

private:
    struct Cells;

    TableKind kind_;
    bool spread_;  // minimum, maximum and the squares
    std::unique_ptr<Cells> cells_;
};

// The engine speeds and pressures of cell (k, m), k in 1..kTableRows and m in 1..kTableColumns,
// exactly as the tables bin them.
class CellBounds {
public:
    bool Holds(double rpm, double map) const {
        return (std::bit_cast<uint64_t>(rpm) - rpmLow_ < rpmSpan_) &
               (std::bit_cast<uint64_t>(map) - mapLow_ < mapSpan_);
    }

private:
    friend CellBounds BoundsOfCell(int k, int m);
    // Bit patterns in [low, low + span): the doubles of one bin.
    uint64_t rpmLow_ = 0, rpmSpan_ = 0, mapLow_ = 0, mapSpan_ = 0;
};
CellBounds BoundsOfCell(int k, int m);

// One log, every sample of first..last that passes `filter`. With MeanAndCount the minimum,
// maximum and standard deviation are left 0.
CellTable ComputeCellTable(const LogData& log, TableKind kind, int32_t first, int32_t last,
                           const SampleFilter& filter = {},
                           Gathered gathered = Gathered::Everything);

}  // namespace grafolux
