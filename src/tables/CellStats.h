#pragma once
// Mean of SENSOR:BLM or SENSOR:INT per engine-speed x manifold-pressure cell.

#include <array>
#include <cstdint>

#include "logdata/LogModel.h"

namespace grafolux {

constexpr int kTableRows = 16;    // 400 .. 6400 rpm
constexpr int kTableColumns = 9;  // 20 .. 100 kPa

enum class TableKind { Blm, Int };

struct CellTable {
    // [row k - 1][column m - 1]; row 1 is 400 rpm, column 1 is 20 kPa.
    std::array<std::array<double, kTableColumns>, kTableRows> mean{};
    std::array<std::array<int32_t, kTableColumns>, kTableRows> count{};
};

// One pass over samples first..last (1-based, within the log; first > last gives no sample).
CellTable ComputeCellTable(const LogData& log, TableKind kind, int32_t first, int32_t last);

}  // namespace grafolux
