#pragma once
// One item's curve on the graph canvas: which samples it shows and where each one lands.

#include <QPoint>
#include <cstdint>
#include <span>

#include "graph/Surface.h"

namespace grafolux {

struct CurvePlot {
    std::span<const double> samples;  // all samples of the item; element 0 is sample 1
    double first = 1;                 // the range as given, possibly not whole
    double count = 1;                 // last - first + 1
    int32_t sFirst = 1, sLast = 1;    // the range's samples, rounded and within the log
    double dx = 0;                    // twips per sample step
    double H = 0;                     // plot height, twips; the sample axis lies at y = H
    double vLow = 0, vRange = 1;      // the item's value scale

    // Index of the last vertex of the line and of the band; vertex 0 is sample `first`.
    // A one-sample range still has vertex 1 (at dx, the canvas width): a flat line.
    int64_t LastLineVertex() const;
    int64_t LastBandVertex() const;

    // Value of the sample at vertex j: sample first + j, rounded and kept within the range.
    double Value(int64_t j) const;
    double X(int64_t j) const { return static_cast<double>(j) * dx; }
    double Y(double v) const;

    // Vertex j in device pixels: the line from unrounded twips, the band from whole twips.
    QPoint LinePixel(int64_t j) const;
    QPoint BandPixel(int64_t j) const;
    int BandBottomPixel() const { return TwipsToPixels(H); }
};

// Draws the curve in the canvas' fore colour, as a line or as a band down to the sample axis.
// The picture is that of one segment (or quadrilateral) per sample step, built per pixel
// column: the first, last, lowest and highest vertex of a column draw the same pixels.
void DrawCurve(Surface& canvas, const CurvePlot& plot, bool filled);

using CurveDrawer = void (*)(Surface& canvas, const CurvePlot& plot, bool filled);

}  // namespace grafolux
