#include "views/MarkedColumns.h"

namespace grafolux {

std::vector<ColumnSpan> MarkedColumns(const SampleMarks& marks, const SampleAxis& axis,
                                      int canvasWidth) {
    std::vector<ColumnSpan> spans;
    const int64_t last = axis.LastLineVertex();
    int64_t j0 = axis.FirstVertexFrom(0);
    // A sample that a range not starting at a whole number skips counts with the vertex after
    // it: each column covers the samples after those of the columns before.
    int64_t from = axis.Index(0);
    for (int column = 0; column < canvasWidth; ++column) {
        const int64_t next = column + 1 < canvasWidth ? axis.FirstVertexFrom(column + 1) : last + 1;
        // Columns between two vertices draw a segment, not a sample; the last column takes in
        // the vertices beyond it.
        if (next > j0 && (column + 1 == canvasWidth || axis.LineColumn(j0) <= column)) {
            const int64_t to = axis.Index(next - 1);
            if (marks.AnyMarked(static_cast<int32_t>(from), static_cast<int32_t>(to))) {
                if (!spans.empty() && spans.back().last == column - 1)
                    spans.back().last = column;
                else
                    spans.push_back({column, column});
            }
            from = to + 1;
        }
        j0 = next;
    }
    return spans;
}

}  // namespace grafolux
