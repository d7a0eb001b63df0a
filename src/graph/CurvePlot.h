#pragma once
// One item's curve on the graph canvas: which samples it shows and where each one lands.

#include <cstdint>
#include <span>

#include "draw/Surface.h"
#include "graph/SampleAxis.h"

namespace grafolux {

// The axis of the range, with the item's samples and value scale.
struct CurvePlot : SampleAxis {
    std::span<const double> samples;  // all samples of the item; element 0 is sample 1
    double H = 0;                     // plot height, twips; the sample axis lies at y = H
    double vLow = 0, vRange = 1;      // the item's value scale
    // The vertices drawn: a log compared over the range may cover only part of it.
    int64_t fromVertex = 0, toVertex = INT64_MAX;
    Dash dash{};  // a line's dashes; a band is never dashed

    double Value(int64_t j) const { return samples[static_cast<size_t>(Index(j) - 1)]; }
    double Y(double v) const;

    int LineRow(double v) const { return TwipsToPixels(Y(v)); }
    int BandRow(double v) const { return TwipsToPixels(NearestWhole(Y(v))); }
    int BandBottomRow() const { return TwipsToPixels(H); }
};

// Widens low..high to take in every value (a NaN changes nothing); quick over long runs.
void WidenBounds(std::span<const double> values, double& low, double& high);

// Whether some value is missing (NaN).
bool AnyMissing(std::span<const double> values);

// Draws the curve in the canvas' fore colour, as a line or as a band down to the sample axis.
// The picture is that of one segment (or quadrilateral) per sample step, built per pixel
// column: the first, last, lowest and highest vertex of a column draw the same pixels. A
// missing value breaks the curve: no segment reaches it, and each run of present values is
// drawn as a curve of its own (a lone value as a dot, or a band one pixel wide).
void DrawCurve(Surface& canvas, const CurvePlot& plot, bool filled);

using CurveDrawer = void (*)(Surface& canvas, const CurvePlot& plot, bool filled);

}  // namespace grafolux
