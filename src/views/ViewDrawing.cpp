#include "views/ViewDrawing.h"

#include "tables/CellStats.h"
#include "tables/CellTableDrawing.h"
#include "views/SampleRange.h"

namespace grafolux {

GraphResult DrawGraphForRange(DrawingArea& area, const LogData& log, const GraphState& view,
                              std::string_view firstText, std::string_view lastText,
                              const DisplayColors& colors) {
    const SampleRange range = ClampedRange(firstText, lastText, log.lngSampleCount);
    return DrawGraph(area, log,
                     {view.lngItem, range.first, range.last, view.dblZoom, view.lngScrollPos},
                     colors);
}

CellTable DrawCellTableForRange(DrawingArea& area, const LogData& log, TableKind kind,
                                std::string_view firstText, std::string_view lastText,
                                const DisplayColors& colors) {
    const CellTable table =
        ComputeCellTable(log, kind, RoundedRangeNumber(firstText), RoundedRangeNumber(lastText));
    DrawCellTable(area, table, colors);
    return table;
}

void PaintBackgrounds(DrawingArea& area, const DisplayColors& colors) {
    for (Surface* surface :
         {&area.pbGraph, &area.pbLegend, &area.pbGraphContainer, &area.pbGraphContents}) {
        surface->SetBackColor(colors.lngBackColor);
        surface->Cls();
    }
}

}  // namespace grafolux
