#pragma once
// Where the graph puts the samples of its range across the canvas, and back: which sample a
// pixel column of the canvas shows, and in which column a sample is drawn.

#include <cstdint>

#include "draw/Surface.h"

namespace grafolux {

struct SampleAxis {
    double first = 1;               // the range as given, possibly not whole
    double count = 1;               // last - first + 1
    int32_t sFirst = 1, sLast = 1;  // the range's samples, rounded and within the log
    double dx = 0;                  // twips per sample step

    // Index of the last vertex of the line and of the band; vertex 0 is sample `first`.
    // A one-sample range still has vertex 1 (at dx, the canvas width): a flat line.
    int64_t LastLineVertex() const;
    int64_t LastBandVertex() const;

    // The sample at vertex j: number first + j, rounded and kept within the range.
    int64_t Index(int64_t j) const;
    double X(int64_t j) const { return static_cast<double>(j) * dx; }

    // Device pixels of a vertex: the line's from unrounded twips, the band's from whole twips.
    int LineColumn(int64_t j) const { return TwipsToPixels(X(j)); }
    int BandColumn(int64_t j) const { return TwipsToPixels(NearestWhole(X(j))); }

    // The line's vertex shown in pixel `column` of a canvas `canvasWidth` pixels wide: of the
    // vertices drawn nearest to the column, the one nearest its centre. The last column takes
    // in the vertices the canvas clips at its right edge, so it shows the range's last sample.
    int64_t VertexAtColumn(int column, int canvasWidth) const;
    int32_t SampleAtColumn(int column, int canvasWidth) const {
        return static_cast<int32_t>(Index(VertexAtColumn(column, canvasWidth)));
    }
    // The first vertex drawn in `column` or right of it (the last vertex when none is).
    int64_t FirstVertexFrom(int column) const;
    // The column where `sample` (within the range) is drawn, kept within the canvas.
    int ColumnOfSample(int32_t sample, int canvasWidth) const;
};

}  // namespace grafolux
