#include <gtest/gtest.h>

#include <string>

#include "tables/ViewMode.h"

namespace grafolux {
namespace {

TEST(ViewButtonsFor, LightsTheViewAndZoomsOnlyTheGraph) {
    struct Case {
        int32_t mode;
        double zoom;
        std::string pictures;
        bool zoomIn, zoomOut;
    } cases[] = {
        {kViewNone, 1, "GRAPH_OFF BLM_OFF INT_OFF", false, false},
        {kViewGraph, 1, "GRAPH_ON BLM_OFF INT_OFF", true, false},
        {kViewGraph, 5, "GRAPH_ON BLM_OFF INT_OFF", true, true},
        {kViewGraph, 10, "GRAPH_ON BLM_OFF INT_OFF", false, true},
        {kViewBlm, 5, "GRAPH_OFF BLM_ON INT_OFF", false, false},
        {kViewInt, 5, "GRAPH_OFF BLM_OFF INT_ON", false, false},
    };
    for (const Case& c : cases) {
        const ViewButtons b = ViewButtonsFor(c.mode, c.zoom);
        EXPECT_EQ(std::string(b.bData) + ' ' + b.bBLM + ' ' + b.bINT, c.pictures) << c.mode;
        EXPECT_EQ(b.bZoomInEnabled, c.zoomIn) << c.mode << " at " << c.zoom;
        EXPECT_EQ(b.bZoomOutEnabled, c.zoomOut) << c.mode << " at " << c.zoom;
    }
}

}  // namespace
}  // namespace grafolux
