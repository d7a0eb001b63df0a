#include <gtest/gtest.h>

#include <string>

#include "views/ViewMode.h"

namespace grafolux {
namespace {

// Which view shows which table (TableKindOf, TableView) the window's tests pin: Copy Table in
// the BLM view equals grafolux-cli table blm, Copy Table is offered in the table views only.
TEST(ViewButtonsFor, LightsTheViewAndZoomsOnlyTheGraph) {
    struct Case {
        ViewMode mode;
        double zoom;
        std::string pictures;
        bool zoomIn, zoomOut;
    } cases[] = {
        {ViewMode::None, 1, "GRAPH_OFF BLM_OFF INT_OFF", false, false},
        {ViewMode::Graph, 1, "GRAPH_ON BLM_OFF INT_OFF", true, false},
        {ViewMode::Graph, 5, "GRAPH_ON BLM_OFF INT_OFF", true, true},
        {ViewMode::Graph, 10, "GRAPH_ON BLM_OFF INT_OFF", false, true},
        {ViewMode::Blm, 5, "GRAPH_OFF BLM_ON INT_OFF", false, false},
        {ViewMode::Int, 5, "GRAPH_OFF BLM_OFF INT_ON", false, false},
    };
    for (const Case& c : cases) {
        const ViewButtons b = ViewButtonsFor(c.mode, c.zoom);
        EXPECT_EQ(std::string(b.graphPicture) + ' ' + b.blmPicture + ' ' + b.intPicture, c.pictures)
            << static_cast<int>(c.mode);
        EXPECT_EQ(b.canZoomIn, c.zoomIn) << static_cast<int>(c.mode) << " at " << c.zoom;
        EXPECT_EQ(b.canZoomOut, c.zoomOut) << static_cast<int>(c.mode) << " at " << c.zoom;
    }
}

}  // namespace
}  // namespace grafolux
