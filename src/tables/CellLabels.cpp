#include "tables/CellLabels.h"

namespace grafolux {

namespace {

// Compared with the labels as the table text prints them, so that "0400" or "+400" is no label.
std::optional<int> Labelled(std::string_view text, int (*label)(int), int count) {
    for (int index = 1; index <= count; ++index)
        if (text == std::to_string(label(index))) return index;
    return std::nullopt;
}

std::string LabelsText(int (*label)(int), int count) {
    return std::to_string(label(1)) + ", " + std::to_string(label(2)) + " ... " +
           std::to_string(label(count));
}

}  // namespace

std::optional<int> RowLabelled(std::string_view text) { return Labelled(text, RowRpm, kTableRows); }

std::optional<int> ColumnLabelled(std::string_view text) {
    return Labelled(text, ColumnMap, kTableColumns);
}

std::string RowLabelsText() { return LabelsText(RowRpm, kTableRows); }

std::string ColumnLabelsText() { return LabelsText(ColumnMap, kTableColumns); }

}  // namespace grafolux
