#include "app/TableCells.h"

#include <QToolTip>

#include "app/CellMouse.h"
#include "app/GraphReadout.h"
#include "app/LogDocument.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "tables/CellAtPoint.h"
#include "views/ViewDrawing.h"

namespace grafolux {

TableCells::TableCells(const LogDocument& document, const DrawingArea& area, PictureBox& canvas,
                       const LogLoading& loading, GraphReadout& readout, QObject& parent)
    : QObject(&parent),
      document_(document),
      area_(area),
      canvas_(canvas),
      loading_(loading),
      readout_(readout) {
    // While a load runs the shown log is about to be replaced.
    new CellMouse(canvas,
                  {[this] { return IsTableView(document_.viewMode()) && !loading_.Busy(); },
                   [this](QPoint point, QPoint global) { ShowCellTip(point, global); },
                   [this](QPoint point) { MarkCell(point); }},
                  *this);
}

void TableCells::ShowTable(TableKind kind, const PooledTable& drawn) {
    shownKind_ = kind;
    shownTable_.reset();
    versusTable_.reset();
    if (GatheredFor(document_.tableChoices().look.show.statistic) == Gathered::Everything)
        shownTable_ = drawn.table;
}

// The table view's table with every statistic, for what its cells say under the mouse.
const CellTable& TableCells::ShownCellStatistics() {
    if (!shownTable_)
        shownTable_ =
            TableForRange(document_.log(), shownKind_, document_.firstText(), document_.lastText(),
                          document_.tableSettings(), Gathered::Everything)
                .table;
    return *shownTable_;
}

// The statistics of the table cell under `point` (canvas pixels), or no tooltip off the cells.
void TableCells::ShowCellTip(QPoint point, QPoint globalPoint) {
    const auto cell = CellAtPoint(area_.pbGraphContents, point);
    if (cell)
        QToolTip::showText(globalPoint, CellTip(*cell), &canvas_);
    else
        QToolTip::hideText();
}

// In the Difference view, both cells' statistics, the shown log's first.
QString TableCells::CellTip(CellAddress cell) {
    const QString shown = CellSummary(ShownCellStatistics(), shownKind_, cell);
    const TableSettings settings = document_.tableSettings();
    if (!settings.versus) return shown;
    if (!versusTable_)
        versusTable_ = VersusTableForRange(*settings.versus->log, shownKind_, document_.firstText(),
                                           document_.lastText(), settings, Gathered::Everything)
                           .table;
    return "A: " + document_.shownTitle() + "\n" + shown + "\n\nB: " + settings.versus->name +
           "\n" + CellSummary(*versusTable_, shownKind_, cell);
}

// The cell's samples marked on the graph, under the table's filters as they are at each of its
// drawings.
void TableCells::MarkCell(QPoint point) {
    const auto cell = CellAtPoint(area_.pbGraphContents, point);
    if (!cell || ShownCellStatistics().count[cell->row - 1][cell->column - 1] == 0) return;
    readout_.MarkOnGraph(CellName(*cell), [this, cell = *cell](int32_t first, int32_t last) {
        const LogData& log = document_.log();
        return MarkCellSamples(log, cell, first, last,
                               SampleFilter(log, document_.tableChoices().conditions));
    });
}

}  // namespace grafolux
