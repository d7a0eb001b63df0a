#pragma once
// The view on the drawing area: the graph or a cell table, drawn for the current item, zoom,
// scroll and sample range; the view buttons, zoom buttons, scroll bar and dragging the canvas.

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/Icons.h"
#include "graph/GraphDrawing.h"
#include "tables/PooledTable.h"
#include "views/ViewMode.h"

class QMouseEvent;
class QScrollBar;
class QToolButton;

namespace grafolux {

class PictureBox;
class TableMenu;
struct DisplayState;
struct FormControls;

class GraphView : public QObject {
    Q_OBJECT
public:
    GraphView(DisplayState& shown, const FormControls& controls, const TableMenu& tables,
              QObject* parent);

    void SetViewMode(ViewMode lngMode);
    // What draws the retune view: it returns the legend's tooltip.
    void SetRetuneDrawing(std::function<QString()> draw);
    // The retune view, drawn anew.
    void ShowRetune();
    void RedrawCurrentView();
    void RedrawTableView();
    // The graph again, where it was scrolled to: after a change of the item or its look.
    void ShowGraph();
    // After a new sample range was entered.
    void ApplySampleRange();
    // A range chosen on the graph is to be shown whole: the drawing for it is at zoom 1.
    void ZoomOutForChosenRange();
    void StoreScrollPos();
    // A new log: the graph at zoom 1 from its start.
    void ShowNewLog();
    void ScrollCanvasTo(int32_t left);
    // A drag ends without its button's release.
    void EndDrag();

signals:
    void ViewModeChanged(ViewMode mode);
    void GraphDrawn(const GraphResult& result);
    void TableDrawn(TableKind kind, const PooledTable& drawn);
    // After either, once the surfaces show it; the graph's axis, none for a table.
    void ViewDrawn(const std::optional<SampleAxis>& axis);
    void ZoomChanged();
    // The canvas was scrolled or dragged sideways.
    void CanvasMoved();

private:
    void DrawGraph();
    void DrawCellTable(TableKind intTable);
    void DrawRetune();
    void ShowTable(TableKind kind);
    void SetZoom(double dblNewZoom);
    void SyncSurfaces();
    void ShowScrollBar();
    void UpdateContainerCursor();
    void bZoomIn_Click();
    void bZoomOut_Click();
    void bData_Click();
    void bBLM_Click();
    void bINT_Click();
    void hsbGraph_Change(int value);
    void pbGraphContents_MouseDown(QMouseEvent* event);
    void pbGraphContents_MouseMove(QMouseEvent* event);
    void pbGraphContents_MouseUp(QMouseEvent* event);

    DisplayState& shown_;
    const TableMenu& tables_;
    std::function<QString()> drawRetune_;
    WindowIcons icons_;
    QToolButton *bZoomIn, *bZoomOut, *bData, *bBLM, *bINT;
    PictureBox *pbGraph, *pbGraphContainer, *pbGraphContents, *pbLegend;
    QScrollBar* hsbGraph;
    int32_t lngDragX = 0;
    int32_t lngDragLeft = 0;
    bool blnDragging = false;
};

}  // namespace grafolux
