#pragma once
// Drawing a view for the sample range as the range boxes hold it: the one place where the
// window and the command-line export turn range texts into a picture.

#include <cstdint>
#include <string_view>

#include "graph/GraphDrawing.h"
#include "tables/CellStats.h"

namespace grafolux {

// What the window holds for the graph: the current item, the zoom and the scroll position.
struct GraphState {
    int32_t lngItem = 1;
    double dblZoom = 1.0;
    int32_t lngScrollPos = 0;
};

// The range is clamped into the log before any sample is read.
GraphResult DrawGraphForRange(DrawingArea& area, const LogData& log, const GraphState& view,
                              std::string_view firstText, std::string_view lastText,
                              const DisplayColors& colors);

// The table drawn, for what the window tells about its cells.
CellTable DrawCellTableForRange(DrawingArea& area, const LogData& log, TableKind kind,
                                std::string_view firstText, std::string_view lastText,
                                const DisplayColors& colors);

// Gives the four surfaces the window's background.
void PaintBackgrounds(DrawingArea& area, const DisplayColors& colors);

}  // namespace grafolux
