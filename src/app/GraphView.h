#pragma once
// The view on the drawing area: the graph, a cell table or the retune, drawn from the document
// whenever what it shows changes; the view buttons, zoom buttons, scroll bar, dragging the
// canvas and, when chosen, Ctrl + wheel zooming about the sample under the mouse.

#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/Icons.h"
#include "graph/GraphDrawing.h"
#include "plots/ScatterDrawing.h"
#include "tables/PooledTable.h"
#include "tables/Retune.h"
#include "views/ViewMode.h"

class QMouseEvent;
class QWheelEvent;
class QScrollBar;
class QToolButton;

namespace grafolux {

class LogDocument;
class PictureBox;
struct DisplayColors;
struct DrawingArea;
struct FormControls;

class GraphView : public QObject {
    Q_OBJECT
public:
    GraphView(LogDocument& document, DrawingArea& area, const DisplayColors& colors,
              const FormControls& controls, QObject* parent);

    // The view shown, drawn again where it was scrolled to.
    void Redraw();
    // A range chosen on the graph is to be shown whole: the drawing for it is at zoom 1.
    void ZoomOutForChosenRange();
    void ScrollCanvasTo(int32_t left);
    // A drag ends without its button's release.
    void EndDrag();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void GraphDrawn(const GraphResult& result);
    void TableDrawn(TableKind kind, const PooledTable& drawn);
    // None where the view says why it shows no map.
    void RetuneDrawn(const std::optional<RetuneResult>& result);
    // None where the scatter plot shows no point; shared, as the grids are large.
    void ScatterDrawn(std::shared_ptr<const ScatterGrids> grids);
    // After any of them, once the surfaces show it; the graph's axis, none for the others.
    void ViewDrawn(const std::optional<SampleAxis>& axis);
    // The canvas was scrolled or dragged sideways.
    void CanvasMoved();

private:
    void ShowView(ViewMode mode);
    void ShowGraph();
    void ShowRetune();
    void ShowNewLog();
    void RedrawTableView();
    void ApplySampleRange();
    void RedrawCurrentView();
    void StoreScrollPos();
    void DrawGraph();
    void DrawCellTable(TableKind kind);
    void DrawRetune();
    void DrawScatter();
    void DrawHistogram();
    // The current item or its look changed: the histogram follows it, else the graph shows.
    void FollowItem();
    void SetViewMode(ViewMode mode);
    void SetZoom(double zoom);
    void SyncSurfaces();
    void ShowScrollBar();
    void UpdateContainerCursor();
    void hsbGraph_Change(int value);
    void pbGraphContents_MouseDown(QMouseEvent* event);
    void pbGraphContents_MouseMove(QMouseEvent* event);
    void pbGraphContents_MouseUp(QMouseEvent* event);
    bool pbGraphContents_Wheel(QWheelEvent* event);  // true when it zoomed

    LogDocument& document_;
    DrawingArea& area_;
    const DisplayColors& colors_;
    WindowIcons icons_;
    QToolButton *bZoomIn, *bZoomOut, *bData, *bBLM, *bINT;
    PictureBox *pbGraph, *pbGraphContainer, *pbGraphContents, *pbLegend;
    QScrollBar* hsbGraph;
    int32_t lngDragX = 0;
    int32_t lngDragLeft = 0;
    bool blnDragging = false;
    std::optional<SampleAxis> axis_;  // of the graph drawn last
    int wheelTurn_ = 0;               // of the wheel, in eighths of a degree, not yet a step
};

}  // namespace grafolux
