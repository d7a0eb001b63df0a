#include "views/ViewMode.h"

#include "graph/ZoomMath.h"

namespace grafolux {

std::optional<TableKind> TableKindOf(ViewMode view) {
    switch (view) {
        case ViewMode::Blm:
            return TableKind::Blm;
        case ViewMode::Int:
            return TableKind::Int;
        default:
            return std::nullopt;
    }
}

ViewMode TableView(TableKind kind) {
    return kind == TableKind::Int ? ViewMode::Int : ViewMode::Blm;
}

ViewButtons ViewButtonsFor(ViewMode view, double zoom) {
    // Every button off and zooming off unless the mode lights one; zoom only acts on the graph.
    ViewButtons buttons{"GRAPH_OFF", "BLM_OFF", "INT_OFF", false, false};
    switch (view) {
        case ViewMode::Graph:
            buttons.graphPicture = "GRAPH_ON";
            buttons.canZoomOut = zoom > kMinZoom;
            buttons.canZoomIn = zoom < kMaxZoom;
            break;
        case ViewMode::Blm:
            buttons.blmPicture = "BLM_ON";
            break;
        case ViewMode::Int:
            buttons.intPicture = "INT_ON";
            break;
        default:
            break;
    }
    return buttons;
}

}  // namespace grafolux
