#pragma once
// A fuel (VE) map as tuning software copies it: line 1 holds a corner field and the column axis
// (MAP, kPa); each further line the row axis value (RPM) and one value per column. The texts are
// kept as read, so that what a retune leaves alone prints back exactly as it came.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace grafolux {

constexpr int kMapMinBreakpoints = 2;
constexpr int kMapMaxBreakpoints = 64;

struct MapAxis {
    std::vector<double> values;      // strictly increasing, 2 … 64 of them
    std::vector<std::string> texts;  // each field as read, blanks around it removed
};

struct FuelMap {
    std::string corner;  // line 1's first field, blanks around it removed
    MapAxis rows;        // engine speed, one per line after the first
    MapAxis columns;     // manifold pressure
    // Cell (row i, column j) at i * columns.values.size() + j, 0-based.
    std::vector<double> cells;
    std::vector<std::string> cellTexts;  // as read, blanks around them removed

    size_t rowCount() const { return rows.values.size(); }
    size_t columnCount() const { return columns.values.size(); }
};

struct MapError {
    // One line: `NAME line L field F: what`, `NAME line L: what` or `NAME: what`.
    std::string message;
};

// Lines end with LF or CR LF; empty (or blank) lines at the end are ignored. Fields are split by
// TAB when line 1 holds one, else by commas. Axis values and cells are `-?digits(.digits)?` with
// blanks around them ignored. `name` names the map in messages: a path as given, or e.g.
// "standard input".
std::variant<FuelMap, MapError> ParseFuelMap(std::string_view text, std::string_view name);

// Digits after the decimal point of a number as the map writes it ("12.50": 2).
int DecimalPlaces(std::string_view number);

}  // namespace grafolux
