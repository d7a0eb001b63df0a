#pragma once
// A cell table view's cells under the mouse: each cell's statistics in its tooltip (in the
// Difference view both logs'), and a double-click marks the cell's samples on the graph.

#include <QObject>
#include <QPoint>
#include <optional>

#include "tables/CellSamples.h"
#include "tables/PooledTable.h"

namespace grafolux {

class GraphReadout;
class LogDocument;
class LogLoading;
class PictureBox;
struct DrawingArea;

class TableCells : public QObject {
    Q_OBJECT
public:
    TableCells(const LogDocument& document, const DrawingArea& area, PictureBox& canvas,
               const LogLoading& loading, GraphReadout& readout, QObject& parent);

    // A table view was drawn.
    void ShowTable(TableKind kind, const PooledTable& drawn);

private:
    const CellTable& ShownCellStatistics();
    void ShowCellTip(QPoint point, QPoint globalPoint);
    QString CellTip(CellAddress cell);
    void MarkCell(QPoint point);

    const LogDocument& document_;
    const DrawingArea& area_;
    PictureBox& canvas_;
    const LogLoading& loading_;
    GraphReadout& readout_;
    // The table view's with every statistic; made when first asked for if the drawing gathered
    // only means and counts.
    std::optional<CellTable> shownTable_;
    std::optional<CellTable> versusTable_;  // log B's, in the Difference view
    TableKind shownKind_ = TableKind::Blm;
};

}  // namespace grafolux
