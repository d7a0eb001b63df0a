#include "tables/CellDisplay.h"

#include <algorithm>
#include <array>

namespace grafolux {

namespace {

constexpr std::array<std::pair<CellStatistic, std::string_view>, 5> kNames = {{
    {CellStatistic::Mean, "mean"},
    {CellStatistic::Count, "count"},
    {CellStatistic::Minimum, "min"},
    {CellStatistic::Maximum, "max"},
    {CellStatistic::StdDev, "sd"},
}};

}  // namespace

std::string_view StatisticName(CellStatistic statistic) {
    for (const auto& [s, name] : kNames)
        if (s == statistic) return name;
    return "mean";
}

std::optional<CellStatistic> StatisticNamed(std::string_view name) {
    for (const auto& [s, n] : kNames)
        if (n == name) return s;
    return std::nullopt;
}

ShownCell CellShown(const CellTable& table, const CellShow& show, int k, int m) {
    const int32_t count = table.count[k - 1][m - 1];
    const int32_t needed =
        std::max({show.minCount, int32_t{1}, show.statistic == CellStatistic::StdDev ? 2 : 1});
    const bool available = count >= needed;
    switch (show.statistic) {
        case CellStatistic::Count:
            return {static_cast<double>(count), available};
        case CellStatistic::Mean:
            return {table.mean[k - 1][m - 1], available};
        case CellStatistic::Minimum:
            return {table.minimum[k - 1][m - 1], available};
        case CellStatistic::Maximum:
            return {table.maximum[k - 1][m - 1], available};
        case CellStatistic::StdDev:
            return {table.stdDev[k - 1][m - 1], available};
    }
    return {};
}

ShownCells CellsShown(const CellTable& table, const CellShow& show) {
    ShownCells cells;
    for (int k = 1; k <= kTableRows; ++k)
        for (int m = 1; m <= kTableColumns; ++m) cells[k - 1][m - 1] = CellShown(table, show, k, m);
    return cells;
}

}  // namespace grafolux
