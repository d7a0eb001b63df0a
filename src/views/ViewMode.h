#pragma once
// Which view is on the drawing area, and what the view and zoom buttons show for it.

#include <cstdint>
#include <optional>

#include "tables/CellStats.h"

namespace grafolux {

// The number of each view is what lngViewMode holds: 0 none, 1 graph, 2 BLM, 3 INT, 4 the
// retune of a fuel map (beside the tables, without a button of its own), 5 the scatter plot and 6
// the histogram (from the View menu, without buttons).
enum class ViewMode : int32_t {
    None = 0,
    Graph = 1,
    Blm = 2,
    Int = 3,
    Retune = 4,
    Scatter = 5,
    Histogram = 6
};
// The views of one item against another and of an item's spread: drawn at zoom 1, with a legend.
inline bool IsPlotView(ViewMode view) {
    return view == ViewMode::Scatter || view == ViewMode::Histogram;
}

// The table a view shows; none for the graph and for no view.
std::optional<TableKind> TableKindOf(ViewMode view);
inline bool IsTableView(ViewMode view) { return TableKindOf(view).has_value(); }
// The view that shows a table.
ViewMode TableView(TableKind kind);

// What the view and zoom buttons show for a view.
struct ViewButtons {
    const char* graphPicture;  // picture keys: "GRAPH_ON" / "GRAPH_OFF" ...
    const char* blmPicture;
    const char* intPicture;
    bool canZoomIn;
    bool canZoomOut;
};

ViewButtons ViewButtonsFor(ViewMode view, double zoom);

}  // namespace grafolux
