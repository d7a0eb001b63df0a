#pragma once
// The straightforward picture of a curve: one line segment, or one outlined quadrilateral
// and one stretch of axis, per sample step between two present values. The reference that the
// column-wise drawing of the product must reproduce pixel for pixel (the benchmark's baseline;
// the tests use it too).

#include "graph/CurvePlot.h"

namespace grafolux {

void DrawCurveNaive(Surface& canvas, const CurvePlot& plot, bool filled);

}  // namespace grafolux
