#pragma once
// The time graph of one item with the locked items underneath, drawn on the shared area.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "graph/CurvePlot.h"
#include "logdata/LogModel.h"

namespace grafolux {

// The colour of the current item's curve and legend entry.
constexpr Colour kCurrentCurveColor = RGB(255, 0, 0);

// A second log drawn over the first for comparison: its curves of the drawn items' names,
// dashed, on their scales.
struct GraphComparison {
    const LogData* log = nullptr;
    int32_t offset = 0;    // its sample s lies at the first log's sample s + offset
    QString nameA, nameB;  // the two files' names, for the legend
};

// The pixel columns of a comparison's dashes.
constexpr Dash kComparisonDash{6, 4};

struct GraphRequest {
    int32_t lngItem = 1;  // current item, 1..lngItemCount
    double first = 1;     // range, already clamped into 1..lngSampleCount
    double last = 1;
    double dblZoom = 1.0;
    int32_t lngScrollPos = 0;  // canvas Left at zoom 1, twips, 0 or negative
    std::optional<GraphComparison> versus{};
};

struct GraphResult {
    // The current item's lowest and highest value in the range, in general form ("—" when no
    // value is present).
    QString lowText, highText;
    // The current item's display settings.
    Colour itemColour = 0;
    bool filled = false;
    bool locked = false;
    // Where the samples of the range lie across the canvas; none when no sample is drawn.
    std::optional<SampleAxis> axis;
};

// Full redraw: sizes pbGraphContainer / pbGraphContents from pbGraph's size and the zoom,
// places the canvas from lngScrollPos, draws grid, labels, locked items, the red curve
// and the legend. With a comparison, each drawn item's curve of log B follows its own, in its
// colour, dashed and never filled, on a scale that takes in both logs' shown values; the
// legend first names both files and the offset, and says "not in B" for an item B lacks. The caller
// makes the graph the current view. A range without samples (an empty log) draws the axes only; a
// one-sample range draws flat across the canvas. `drawCurve` lets a benchmark put another way of
// drawing curves beside the usual one.
GraphResult DrawGraph(DrawingArea& area, const LogData& log, const GraphRequest& request,
                      const DisplayColors& colors, CurveDrawer drawCurve = DrawCurve);

}  // namespace grafolux
