#pragma once
// A cell table as tab-separated text, for the command-line tool.

#include <string>

#include "tables/CellStats.h"

namespace grafolux {

// "RPM" and the column labels 20..100, then one line per row 400..6400: the row label and
// each cell's mean in its shortest round-trip form, or "N/A" for an empty cell.
std::string CellTableText(const CellTable& table);

}  // namespace grafolux
