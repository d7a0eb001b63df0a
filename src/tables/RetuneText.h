#pragma once
// A retune's result as text: the new map to paste back into the tuning software, or a cell
// figure behind it. Line 1 and the row axis are copied as read; the cells follow the map's.

#include <optional>
#include <string>
#include <string_view>

#include "tables/FuelMap.h"
#include "tables/Retune.h"

namespace grafolux {

// `Map`: the new values, each with as many decimals as the cell had in the map, an untrusted
// cell exactly as read. `Change`: (c − 1) × 100 with 1 decimal, none where untrusted.
// `Weight`: W with 2 decimals. `Factor`: F with 4 decimals, none where W = 0.
enum class RetuneShow { Map, Change, Weight, Factor };

// "map", "change", "weight", "factor": the command line's names.
std::string_view RetuneShowName(RetuneShow show);
std::optional<RetuneShow> RetuneShowNamed(std::string_view name);

// What cell `cell` (an index into FuelMap::cells) shows; nothing for "N/A".
std::optional<std::string> RetuneCellText(const FuelMap& map, const RetuneResult& result,
                                          RetuneShow show, size_t cell);

// TAB-separated with LF line ends, "N/A" where a cell shows nothing.
std::string RetuneText(const FuelMap& map, const RetuneResult& result, RetuneShow show);
// CSV (RFC 4180) with CR LF line ends, an empty field where a cell shows nothing.
std::string RetuneCsv(const FuelMap& map, const RetuneResult& result, RetuneShow show);

// What "Save New Map As" writes to `path`: the new map as text for a ".txt" name, else as CSV.
std::string RetuneFileText(std::string_view path, const FuelMap& map, const RetuneResult& result);

// `value` correctly rounded to `decimals` decimals (printf's "%.Nf"), a negative zero without
// its sign ("-0.00" prints as "0.00").
std::string FixedText(double value, int decimals);

}  // namespace grafolux
