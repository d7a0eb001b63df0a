#pragma once
// The samples behind one cell of a table: which of them fall into it, the cell's name and
// bounds, and what a look at the cell tells (its statistics).

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

#include "logdata/SampleMarks.h"
#include "tables/CellStats.h"
#include "tables/SampleFilter.h"

namespace grafolux {

// Row k (1 = 400 rpm) and column m (1 = 20 kPa) of a table.
struct CellAddress {
    int row = 1, column = 1;
    bool operator==(const CellAddress&) const = default;
};

// The row labelled `text` (400, 800 … 6400) and the column labelled `text` (20, 30 … 100);
// nothing for any other text.
std::optional<int> RowLabelled(std::string_view text);
std::optional<int> ColumnLabelled(std::string_view text);

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
