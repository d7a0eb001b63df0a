#pragma once
// The samples behind one cell of a table: which of them fall into it, the cell's name and
// bounds, and what a look at the cell tells (its statistics).

#include <QString>
#include <cstdint>

#include "logdata/SampleMarks.h"
#include "tables/CellStats.h"
#include "tables/SampleFilter.h"

namespace grafolux {

// Row k and column m of a table (CellLabels.h).
struct CellAddress {
    int row = 1, column = 1;
    bool operator==(const CellAddress&) const = default;
};

// Samples first..last, clamped into the log (first > last: none), marked when their engine
// speed and pressure fall into the cell and they pass `filter` (resolved against `log`). A
// log without SENSOR:RPM or SENSOR:MAP has no sample in any cell.
SampleMarks MarkCellSamples(const LogData& log, CellAddress cell, int32_t first, int32_t last,
                            const SampleFilter& filter = {});

// "1,200 rpm × 50 kPa".
QString CellName(CellAddress cell);

// Several lines: the table and the cell's name, its bounds of engine speed and pressure, its
// sample count and, with samples, its mean, minimum, maximum and standard deviation.
QString CellSummary(const CellTable& table, TableKind kind, CellAddress cell);

}  // namespace grafolux
