#pragma once
// Where marked samples show on the graph: the canvas columns that draw at least one of them.

#include <vector>

#include "graph/SampleAxis.h"
#include "logdata/SampleMarks.h"

namespace grafolux {

struct ColumnSpan {
    int first, last;  // canvas pixel columns, inclusive
    bool operator==(const ColumnSpan&) const = default;
};

// Ascending spans of neighbouring columns, for a canvas `canvasWidth` pixels wide; the last
// column takes in the samples the canvas clips at its right edge.
std::vector<ColumnSpan> MarkedColumns(const SampleMarks& marks, const SampleAxis& axis,
                                      int canvasWidth);

}  // namespace grafolux
