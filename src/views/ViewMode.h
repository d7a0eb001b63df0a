#pragma once
// Which view is on the drawing area, and what the view and zoom buttons show for it.

#include <cstdint>

namespace grafolux {

enum ViewMode : int32_t { kViewNone = 0, kViewGraph = 1, kViewBlm = 2, kViewInt = 3 };

struct ViewButtons {
    const char* bData;  // picture keys: "GRAPH_ON" / "GRAPH_OFF" ...
    const char* bBLM;
    const char* bINT;
    bool bZoomInEnabled;
    bool bZoomOutEnabled;
};

ViewButtons ViewButtonsFor(int32_t lngViewMode, double dblZoom);

}  // namespace grafolux
