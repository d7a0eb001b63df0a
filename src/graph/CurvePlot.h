#pragma once
// One item's curve on the graph canvas: which samples it shows and where each one lands.

#include <cstdint>
#include <span>

#include "draw/Surface.h"

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

    // The sample at vertex j: number first + j, rounded and kept within the range.
    int64_t Index(int64_t j) const;
    double Value(int64_t j) const { return samples[static_cast<size_t>(Index(j) - 1)]; }
    double X(int64_t j) const { return static_cast<double>(j) * dx; }
    double Y(double v) const;

    // Device pixels of a vertex: the line's from unrounded twips, the band's from whole twips.
    int LineColumn(int64_t j) const { return TwipsToPixels(X(j)); }
    int LineRow(double v) const { return TwipsToPixels(Y(v)); }
    int BandColumn(int64_t j) const { return TwipsToPixels(NearestWhole(X(j))); }
    int BandRow(double v) const { return TwipsToPixels(NearestWhole(Y(v))); }
    int BandBottomRow() const { return TwipsToPixels(H); }
};

// Widens low..high to take in every value (a NaN changes nothing); quick over long runs.
void WidenBounds(std::span<const double> values, double& low, double& high);

// Draws the curve in the canvas' fore colour, as a line or as a band down to the sample axis.
// The picture is that of one segment (or quadrilateral) per sample step, built per pixel
// column: the first, last, lowest and highest vertex of a column draw the same pixels.
void DrawCurve(Surface& canvas, const CurvePlot& plot, bool filled);

using CurveDrawer = void (*)(Surface& canvas, const CurvePlot& plot, bool filled);

}  // namespace grafolux
