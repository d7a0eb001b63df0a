#pragma once
// What the window keeps for reading values off the graph, in sample numbers, so that it
// survives zoom, scroll and redraws; and the widgets that show it.

#include <cstdint>
#include <optional>
#include <utility>

#include "graph/Markers.h"
#include "graph/SampleAxis.h"
#include "tables/CellSamples.h"

class QAction;
class QMenu;

namespace grafolux {

class GraphOverlay;

struct GraphReadout {
    std::optional<SampleAxis> axis;     // of the graph shown; none in a table view
    std::optional<int32_t> cursor;      // the sample under the cursor line while it shows
    std::optional<QPoint> mouse;        // over the canvas, in pixels of the visible frame
    std::optional<int32_t> menuSample;  // where the context menu was opened
    Markers markers;
    std::optional<std::pair<int32_t, int32_t>> span;  // Shift-drag: from, to
    struct MarkedCell {
        CellAddress cell;
        SampleMarks marks;  // over the graph's range, under the table's filters
    };
    std::optional<MarkedCell> marked;
    // The table view's with every statistic, for its cells' tooltips; made when first asked
    // for if the drawing gathered only means and counts.
    std::optional<CellTable> shownTable;
    TableKind shownKind = TableKind::Blm;

    GraphOverlay* overlay = nullptr;
    QMenu* menu = nullptr;
    QAction *setA = nullptr, *setB = nullptr, *clearMarkers = nullptr, *showAB = nullptr,
            *showAll = nullptr, *copy = nullptr, *next = nullptr, *previous = nullptr,
            *clearCell = nullptr;
};

}  // namespace grafolux
