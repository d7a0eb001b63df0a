#include <gtest/gtest.h>

#include <string>

#include "views/ViewMode.h"

namespace grafolux {
namespace {

TEST(TableKindOf, OnlyTheTableViewsShowATableAndEachIsItsTablesView) {
    struct Case {
        const char* name;
        ViewMode mode;
        std::optional<TableKind> kind;
    } cases[] = {
        {"no view", ViewMode::None, std::nullopt},
        {"graph", ViewMode::Graph, std::nullopt},
        {"BLM", ViewMode::Blm, TableKind::Blm},
        {"INT", ViewMode::Int, TableKind::Int},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TableKindOf(c.mode), c.kind) << c.name;
        EXPECT_EQ(IsTableView(c.mode), c.kind.has_value()) << c.name;
        if (c.kind) {
            EXPECT_EQ(TableView(*c.kind), c.mode) << c.name;
        }
    }
}

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
