#pragma once
// The cells' labels, by which every table bins, names, prints and draws its cells: row k
// (1..kTableRows) holds the engine speeds that round to RowRpm(k) = 400 k, column m
// (1..kTableColumns) the pressures that round to ColumnMap(m) = 10 (m + 1) kPa.

#include <optional>
#include <string>
#include <string_view>

namespace grafolux {

constexpr int kTableRows = 16;    // 400 .. 6400 rpm
constexpr int kTableColumns = 9;  // 20 .. 100 kPa
constexpr int kRpmStep = 400;     // from one row's label to the next
constexpr int kMapStep = 10;      // from one column's label to the next

constexpr int RowRpm(int k) { return kRpmStep * k; }
constexpr int ColumnMap(int m) { return kMapStep * (m + 1); }

// The row labelled `text` (400, 800 … 6400) and the column labelled `text` (20, 30 … 100),
// written as the table text prints them; nothing for any other text.
std::optional<int> RowLabelled(std::string_view text);
std::optional<int> ColumnLabelled(std::string_view text);

// "400, 800 ... 6400" and "20, 30 ... 100": the labels a user may give, for messages.
std::string RowLabelsText();
std::string ColumnLabelsText();

}  // namespace grafolux
