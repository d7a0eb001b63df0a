#pragma once
// The retune view: the new map as a grid of cells coloured by their change, and its legend of
// the evidence. Like the cell tables, the lowest engine speed is at the bottom and the lowest
// pressure at the left. A cell is always coloured; its new value is printed only where it fits
// (in the tables' font, else one point smaller), so that a 64 × 64 map stays readable as
// colours at the window's first size; the tooltip gives every figure.

#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "tables/FuelMap.h"
#include "tables/Retune.h"
#include "tables/TableLegend.h"

namespace grafolux {

// An untrusted cell, left as it was: grey, its text dim.
constexpr Colour kUntrustedCellColour = RGB(96, 96, 96);
constexpr Colour kUntrustedTextColour = RGB(168, 168, 168);

// The trims' factor, the retune's default, as the window names it: in the legend and first in
// the factor's dialog.
QString TrimsFactorText();

// The scale of the changes: the cell tables' diverging colours, -P % blue to +P % red.
ColourScale ChangeScale(double maxChange);
// A cell's colour: its change on that scale, or the untrusted grey.
Colour RetuneCellColour(const RetuneCell& cell, double maxChange);

// Draws the grid with the axes' texts as read (only as many as fit), clears the legend and
// unscrolls the canvas.
void DrawRetuneMap(DrawingArea& area, const FuelMap& map, const RetuneResult& result,
                   double maxChange, const DisplayColors& colors);
// A line of text in the middle of the empty canvas instead of a map: why there is none.
void DrawRetuneNotice(DrawingArea& area, const QString& text, const DisplayColors& colors);

// The cell (row, column; 0-based as in the map) under canvas pixel `pixel` of a map drawn by
// DrawRetuneMap; nothing off the cells.
struct MapCell {
    size_t row, column;
    bool operator==(const MapCell&) const = default;
};
std::optional<MapCell> RetuneCellAt(const Surface& canvas, QPoint pixel, const FuelMap& map);

// What the legend tells of a retune.
struct RetuneLegendInput {
    QString factor;  // the factor's item, empty for the trims'
    RetuneSettings settings;
    std::vector<QString> logs;  // file names, the shown log first
    std::vector<SampleCondition> conditions;
    std::vector<bool> conditionIgnored;  // per condition: some log lacks its item
    RetuneEvidence evidence;
};
std::vector<LegendLine> RetuneLegendLines(const RetuneLegendInput& input);

// The tooltip of a cell: old and new value, change, W, F and the samples that touched it.
QString RetuneCellSummary(const FuelMap& map, const RetuneResult& result, MapCell cell);

}  // namespace grafolux
