#include "tables/ViewMode.h"

#include "graph/ZoomMath.h"

namespace grafolux {

ViewButtons ViewButtonsFor(int32_t lngViewMode, double dblZoom) {
    // Every button off and zooming off unless the mode lights one; zoom only acts on the graph.
    ViewButtons buttons{"GRAPH_OFF", "BLM_OFF", "INT_OFF", false, false};
    switch (lngViewMode) {
        case kViewGraph:
            buttons.bData = "GRAPH_ON";
            buttons.bZoomOutEnabled = dblZoom > kMinZoom;
            buttons.bZoomInEnabled = dblZoom < kMaxZoom;
            break;
        case kViewBlm:
            buttons.bBLM = "BLM_ON";
            break;
        case kViewInt:
            buttons.bINT = "INT_ON";
            break;
        default:
            break;
    }
    return buttons;
}

}  // namespace grafolux
