#pragma once
// A cell table as text: tab-separated (the command-line tool's output and the clipboard's) or
// CSV (RFC 4180).

#include <string>
#include <string_view>
#include <vector>

#include "tables/CellDisplay.h"

namespace grafolux {

// "RPM" and the column labels 20..100, then one line per row 400..6400: the row label and
// each cell's value in its shortest round-trip form, or "N/A" where it shows none (a count
// always shows). Lines end with LF.
std::string CellTableText(const CellTable& table, const CellShow& show = {});

// The same cells comma-separated, "N/A" as an empty field, lines ending with CR LF.
std::string CellTableCsv(const CellTable& table, const CellShow& show = {});

// A ".txt" name, in any letter case: a table saved there is tab-separated text, else CSV.
bool IsTextFileName(std::string_view path);

// The same for cells already decided (a difference of two tables, say), and what "Save Table
// As" writes to `path`: the text for a ".txt" name (in any letter case), CSV for any other;
// `statistic` says whether an unavailable cell still prints its value (a count does).
std::string ShownCellsText(const ShownCells& cells, CellStatistic statistic);
std::string ShownCellsCsv(const ShownCells& cells, CellStatistic statistic);
std::string ShownCellsFileText(std::string_view path, const ShownCells& cells,
                               CellStatistic statistic);

// A field of a CSV record: quoted, with quotes doubled, when it holds a comma, a quote, CR or LF.
std::string CsvField(std::string_view text);

// Rows of fields joined by TAB, each line ended by LF; or as CSV records (CsvField) ended by
// CR LF.
std::string TabSeparatedText(const std::vector<std::vector<std::string>>& rows);
std::string CsvText(const std::vector<std::vector<std::string>>& rows);

}  // namespace grafolux
