#pragma once
// Which statistic the cells show, and what each cell then shows: the one place that decides
// between a number and "N/A" for the window, the saved pictures and the command-line tool.

#include <cstdint>
#include <optional>
#include <string_view>

#include "tables/CellStats.h"

namespace grafolux {

enum class CellStatistic { Mean, Count, Minimum, Maximum, StdDev };

struct CellShow {
    CellStatistic statistic = CellStatistic::Mean;
    int32_t minCount = 1;  // fewer samples than this: N/A (a count shows, greyed)
    bool operator==(const CellShow&) const = default;
};

// How a table looks: the statistic shown and whether cells are coloured.
struct CellLook {
    CellShow show;
    bool coloured = false;  // each cell with a value on its colour, the text readable on it
    bool operator==(const CellLook&) const = default;
};

// "mean", "count", "min", "max", "sd": the command line's names, also kept in the preferences.
std::string_view StatisticName(CellStatistic statistic);
std::optional<CellStatistic> StatisticNamed(std::string_view name);

// What one cell shows. A count always has a value; it is `available` only with enough samples.
struct ShownCell {
    double value = 0;
    bool available = false;  // false: "N/A", or a count printed in the N/A grey
};

// Row k (1 = 400 rpm) and column m (1 = 20 kPa). A cell needs at least minCount samples (at
// least 1), and a standard deviation at least 2.
ShownCell CellShown(const CellTable& table, const CellShow& show, int k, int m);

// Every cell as shown, [row k - 1][column m - 1]: what the drawing and the texts read.
using ShownCells = CellGrid<ShownCell>;
ShownCells CellsShown(const CellTable& table, const CellShow& show);

// What a table must gather to show this statistic.
inline Gathered GatheredFor(CellStatistic statistic) {
    return statistic == CellStatistic::Mean || statistic == CellStatistic::Count
               ? Gathered::MeanAndCount
               : Gathered::Everything;
}

// Whole numbers for counts ("##,##0"), two decimals for the rest ("##,##0.00").
inline int DecimalsOf(CellStatistic statistic) { return statistic == CellStatistic::Count ? 0 : 2; }

}  // namespace grafolux
