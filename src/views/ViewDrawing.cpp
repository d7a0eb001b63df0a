#include "views/ViewDrawing.h"

#include "graph/Comparison.h"
#include "tables/CellDifference.h"
#include "tables/CellStats.h"
#include "tables/CellTableDrawing.h"
#include "tables/TableLegend.h"
#include "views/SampleRange.h"

namespace grafolux {

GraphResult DrawGraphForRange(DrawingArea& area, const LogData& log, const GraphState& view,
                              std::string_view firstText, std::string_view lastText,
                              const DisplayColors& colors, std::optional<GraphComparison> versus) {
    const SampleRange range = ClampedRange(firstText, lastText, log.lngSampleCount);
    if (versus)
        versus->offset =
            ClampOffset(versus->offset, log.lngSampleCount, versus->log->lngSampleCount);
    return DrawGraph(
        area, log,
        {view.lngItem, range.first, range.last, view.dblZoom, view.lngScrollPos, std::move(versus)},
        colors);
}

std::vector<TableSource> SourcesForRange(const LogData& log, std::string_view firstText,
                                         std::string_view lastText, const TableSettings& settings) {
    std::vector<TableSource> sources = {
        {&log, RoundedRangeNumber(firstText), RoundedRangeNumber(lastText)}};
    for (const IncludedLog& included : settings.included)
        sources.push_back({included.log, 1, included.log->lngSampleCount});
    return sources;
}

PooledTable TableForRange(const LogData& log, TableKind kind, std::string_view firstText,
                          std::string_view lastText, const TableSettings& settings,
                          std::optional<Gathered> gathered) {
    return ComputePooledTable(SourcesForRange(log, firstText, lastText, settings), kind,
                              settings.conditions,
                              gathered.value_or(GatheredFor(settings.look.show.statistic)));
}

TableSource VersusSourceForRange(const LogData& versus, std::string_view firstText,
                                 std::string_view lastText) {
    return {&versus, RoundedRangeNumber(firstText), RoundedRangeNumber(lastText)};
}

PooledTable VersusTableForRange(const LogData& versus, TableKind kind, std::string_view firstText,
                                std::string_view lastText, const TableSettings& settings,
                                std::optional<Gathered> gathered) {
    const TableSource source = VersusSourceForRange(versus, firstText, lastText);
    return ComputePooledTable({&source, 1}, kind, settings.conditions,
                              gathered.value_or(GatheredFor(settings.look.show.statistic)));
}

ShownCells ShownCellsForRange(const LogData& log, TableKind kind, std::string_view firstText,
                              std::string_view lastText, const TableSettings& settings) {
    const CellTable table = TableForRange(log, kind, firstText, lastText, settings).table;
    const CellShow& show = settings.look.show;
    if (!settings.versus) return CellsShown(table, show);
    return DifferenceCells(
        table,
        VersusTableForRange(*settings.versus->log, kind, firstText, lastText, settings).table,
        show);
}

TableLegendInput TableLegendFor(const PooledTable& pooled, const TableSettings& settings) {
    TableLegendInput legend;
    legend.show = settings.look.show;
    legend.conditions = settings.conditions;
    legend.conditionIgnored.assign(settings.conditions.size(), false);
    for (const std::vector<size_t>& missing : pooled.missing)
        for (size_t i : missing) legend.conditionIgnored[i] = true;
    legend.samplesPassed = pooled.table.samplesPassed;
    legend.samplesInRange = pooled.table.samplesInRange;
    legend.loadedLog = settings.loadedName;
    for (const IncludedLog& included : settings.included) {
        legend.includedLogs.push_back(included.name);
        legend.includedIsLoaded.push_back(included.isLoaded);
    }
    if (settings.versus) legend.versusLog = settings.versus->name;
    // A difference is always tinted, its colours being how B's change reads at a glance (on
    // its own scale, which drawing it sets).
    if (settings.look.coloured || settings.versus)
        legend.colours = ScaleFor(pooled.table, settings.look.show);
    return legend;
}

PooledTable DrawCellTableForRange(DrawingArea& area, const LogData& log, TableKind kind,
                                  std::string_view firstText, std::string_view lastText,
                                  const DisplayColors& colors, const TableSettings& settings) {
    PooledTable pooled = TableForRange(log, kind, firstText, lastText, settings);
    TableLegendInput legend = TableLegendFor(pooled, settings);
    if (settings.versus) {
        const CellShow& show = settings.look.show;
        const CellTable versus =
            VersusTableForRange(*settings.versus->log, kind, firstText, lastText, settings).table;
        legend.colours = DifferenceScale(pooled.table, versus, show);
        DrawShownCells(area, DifferenceCells(pooled.table, versus, show), show.statistic,
                       legend.colours, colors);
    } else {
        DrawCellTable(area, pooled.table, colors, settings.look);
    }
    DrawTableLegend(area, TableLegendLines(legend), legend.colours, colors);
    return pooled;
}

void PaintBackgrounds(DrawingArea& area, const DisplayColors& colors) {
    for (Surface* surface :
         {&area.pbGraph, &area.pbLegend, &area.pbGraphContainer, &area.pbGraphContents}) {
        surface->SetBackColor(colors.lngBackColor);
        surface->Cls();
    }
}

}  // namespace grafolux
