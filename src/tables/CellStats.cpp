#include "tables/CellStats.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace grafolux {

namespace {

// Index of the last item named exactly `name`, or 0 when no item carries it.
int32_t FindItem(const LogData& log, std::string_view name) {
    int32_t found = 0;
    for (int32_t k = 1; k <= log.lngItemCount; ++k)
        if (log.udtItems[k].strName == name) found = k;
    return found;
}

// Row 1..16 for 400..6400 rpm: the speed rounded to the nearest 400, half-way going up.
// Anything else, NaN included, gives 0.
int RowOf(double rpm) {
    const double bin = std::floor((rpm + 200) / 400);
    return bin >= 1 && bin <= kTableRows ? static_cast<int>(bin) : 0;
}

// Column 1..9 for 20..100 kPa: the pressure rounded to the nearest 10, half-way going up.
int ColumnOf(double map) {
    const double bin = std::floor((map + 5) / 10);
    return bin >= 2 && bin <= kTableColumns + 1 ? static_cast<int>(bin) - 1 : 0;
}

}  // namespace

CellTable ComputeCellTable(const LogData& log, int intTable, int32_t first, int32_t last) {
    CellTable table;
    const int32_t rpmItem = FindItem(log, "SENSOR:RPM");
    const int32_t mapItem = FindItem(log, "SENSOR:MAP");
    const int32_t valueItem = FindItem(log, intTable == kBlmTable ? "SENSOR:BLM" : "SENSOR:INT");
    // A missing axis reads 0 for every sample, which lies in no cell.
    if (rpmItem == 0 || mapItem == 0 || log.lngSampleCount < 1) return table;

    // Range boxes may hold anything while the user types: never read outside the samples.
    first = std::clamp(first, int32_t{1}, log.lngSampleCount);
    last = std::clamp(last, int32_t{1}, log.lngSampleCount);

    const double* rpm = log.column(rpmItem).data();
    const double* map = log.column(mapItem).data();
    const double* value = valueItem != 0 ? log.column(valueItem).data() : nullptr;
    for (int32_t s = first - 1; s < last; ++s) {
        const int row = RowOf(rpm[s]);
        const int column = ColumnOf(map[s]);
        if (row == 0 || column == 0) continue;
        // A missing value item reads 0.
        table.mean[row - 1][column - 1] += value != nullptr ? value[s] : 0.0;
        ++table.count[row - 1][column - 1];
    }

    for (int k = 0; k < kTableRows; ++k)
        for (int m = 0; m < kTableColumns; ++m)
            table.mean[k][m] = table.count[k][m] != 0 ? table.mean[k][m] / table.count[k][m] : 0;
    return table;
}

}  // namespace grafolux
