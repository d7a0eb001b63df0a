#include "app/GraphView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "app/PictureBox.h"
#include "app/TableMenu.h"
#include "graph/ZoomMath.h"
#include "logdata/Rounding.h"
#include "views/ViewDrawing.h"

namespace grafolux {

GraphView::GraphView(DisplayState& shown, const FormControls& c, const TableMenu& tables,
                     QObject* parent)
    : QObject(parent),
      shown_(shown),
      tables_(tables),
      bZoomIn(c.bZoomIn),
      bZoomOut(c.bZoomOut),
      bData(c.bData),
      bBLM(c.bBLM),
      bINT(c.bINT),
      pbGraph(c.pbGraph),
      pbGraphContainer(c.pbGraphContainer),
      pbGraphContents(c.pbGraphContents),
      pbLegend(c.pbLegend),
      hsbGraph(c.hsbGraph) {
    connect(bZoomIn, &QToolButton::clicked, this, &GraphView::bZoomIn_Click);
    connect(bZoomOut, &QToolButton::clicked, this, &GraphView::bZoomOut_Click);
    connect(bData, &QToolButton::clicked, this, &GraphView::bData_Click);
    connect(bBLM, &QToolButton::clicked, this, &GraphView::bBLM_Click);
    connect(bINT, &QToolButton::clicked, this, &GraphView::bINT_Click);
    connect(hsbGraph, &QScrollBar::valueChanged, this, &GraphView::hsbGraph_Change);
    connect(pbGraphContents, &PictureBox::MouseDown, this, &GraphView::pbGraphContents_MouseDown);
    connect(pbGraphContents, &PictureBox::MouseMove, this, &GraphView::pbGraphContents_MouseMove);
    connect(pbGraphContents, &PictureBox::MouseUp, this, &GraphView::pbGraphContents_MouseUp);
}

// ---- Views ----

void GraphView::SetViewMode(ViewMode lngMode) {
    shown_.lngViewMode = lngMode;
    const ViewButtons buttons = ViewButtonsFor(lngMode, shown_.dblZoom);
    bData->setIcon(icons_.ViewButton(buttons.graphPicture, "GRAPH_DIS"));
    bBLM->setIcon(icons_.ViewButton(buttons.blmPicture, "BLM_DIS"));
    bINT->setIcon(icons_.ViewButton(buttons.intPicture, "INT_DIS"));
    bData->setProperty("picture", buttons.graphPicture);
    bBLM->setProperty("picture", buttons.blmPicture);
    bINT->setProperty("picture", buttons.intPicture);
    bZoomIn->setEnabled(buttons.canZoomIn);
    bZoomOut->setEnabled(buttons.canZoomOut);
    emit ViewModeChanged(lngMode);
}

void GraphView::StoreScrollPos() {
    shown_.lngScrollPos = ScrollPosFromLeft(shown_.area.pbGraphContents.Left(), shown_.dblZoom);
}

void GraphView::SyncSurfaces() {
    for (PictureBox* box : {pbGraph, pbGraphContainer, pbGraphContents, pbLegend}) box->Sync();
}

void GraphView::DrawGraph() {
    SetViewMode(ViewMode::Graph);
    pbLegend->setToolTip({});
    std::optional<GraphComparison> versus;
    if (shown_.versus)
        versus = GraphComparison{&shown_.versus->log, shown_.versus->offset, shown_.strFileTitle,
                                 shown_.versus->title};
    const GraphResult result = DrawGraphForRange(
        shown_.area, shown_.log, {shown_.lngCurItem, shown_.dblZoom, shown_.lngScrollPos},
        shown_.firstText, shown_.lastText, shown_.colors, versus);
    emit GraphDrawn(result);
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(result.axis);
}

void GraphView::DrawCellTable(TableKind intTable) {
    const TableSettings settings = tables_.TableSettingsNow();
    const PooledTable drawn =
        DrawCellTableForRange(shown_.area, shown_.log, intTable, shown_.firstText, shown_.lastText,
                              shown_.colors, settings);
    // What a narrow legend had to wrap or cut short.
    pbLegend->setToolTip(LegendToolTip(TableLegendLines(TableLegendFor(drawn, settings))));
    emit TableDrawn(intTable, drawn);
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(std::nullopt);
}

void GraphView::SetRetuneDrawing(std::function<QString()> draw) { drawRetune_ = std::move(draw); }

void GraphView::ShowRetune() {
    SetViewMode(ViewMode::Retune);
    DrawRetune();
}

void GraphView::DrawRetune() {
    pbLegend->setToolTip(drawRetune_ ? drawRetune_() : QString());
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(std::nullopt);
}

void GraphView::RedrawCurrentView() {
    if (shown_.lngViewMode == ViewMode::Graph)
        DrawGraph();
    else if (const auto kind = TableKindOf(shown_.lngViewMode))
        DrawCellTable(*kind);
    else if (shown_.lngViewMode == ViewMode::Retune)
        DrawRetune();
}

// The retune pools the tables' logs under their filters: it follows their settings too.
void GraphView::RedrawTableView() {
    if (IsTableView(shown_.lngViewMode) || shown_.lngViewMode == ViewMode::Retune)
        RedrawCurrentView();
}

void GraphView::ShowGraph() {
    StoreScrollPos();
    DrawGraph();
}

void GraphView::ApplySampleRange() {
    if (shown_.lngViewMode == ViewMode::Graph) StoreScrollPos();
    RedrawCurrentView();
}

void GraphView::ZoomOutForChosenRange() {
    if (shown_.dblZoom <= kMinZoom) return;
    shown_.dblZoom = kMinZoom;
    shown_.area.pbGraphContents.SetLeft(0);
    UpdateContainerCursor();
    emit ZoomChanged();
}

void GraphView::ShowNewLog() {
    SetZoom(1.0);
    shown_.area.pbGraphContents.SetLeft(0);
    shown_.area.pbGraphContents.SetTop(0);
    pbGraphContents->Sync();
}

// ---- View buttons ----

void GraphView::bData_Click() { ShowGraph(); }

void GraphView::bBLM_Click() { ShowTable(TableKind::Blm); }

void GraphView::bINT_Click() { ShowTable(TableKind::Int); }

void GraphView::ShowTable(TableKind kind) {
    SetViewMode(TableView(kind));
    DrawCellTable(kind);
}

// ---- Zoom, scroll and drag ----

void GraphView::UpdateContainerCursor() {
    // The hand shows while there is something to drag: above zoom 1.
    if (shown_.dblZoom <= kMinZoom)
        pbGraphContainer->unsetCursor();
    else
        pbGraphContainer->setCursor(blnDragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

// The zoom buttons follow the zoom through the view buttons, the scroll bar through the drawing.
void GraphView::SetZoom(double dblNewZoom) {
    StoreScrollPos();
    shown_.dblZoom = ClampZoom(dblNewZoom);
    DrawGraph();
    UpdateContainerCursor();
    emit ZoomChanged();
}

// The bar shows where the canvas is. Only a zoomed graph scrolls: a table is never scrolled
// sideways, and a bar with nothing to scroll is off with its thumb over its whole length.
void GraphView::ShowScrollBar() {
    const bool scrolls = shown_.lngViewMode == ViewMode::Graph && shown_.dblZoom > kMinZoom;
    const ScrollBarSetup bar =
        scrolls ? ScrollBarFor(shown_.area.pbGraphContents.Width(),
                               shown_.area.pbGraphContents.Left(), shown_.dblZoom)
                : ScrollBarSetup{};
    const QSignalBlocker quiet(hsbGraph);  // the canvas stays where the drawing put it
    hsbGraph->setEnabled(scrolls);
    hsbGraph->setRange(0, bar.max);
    hsbGraph->setPageStep(bar.largeChange);
    hsbGraph->setValue(bar.value);
}

void GraphView::bZoomIn_Click() { SetZoom(shown_.dblZoom + kZoomStep); }

void GraphView::bZoomOut_Click() { SetZoom(shown_.dblZoom - kZoomStep); }

void GraphView::hsbGraph_Change(int value) {
    shown_.area.pbGraphContents.SetLeft(LeftForScrollValue(static_cast<int16_t>(value)));
    pbGraphContents->Sync();
    emit CanvasMoved();
}

void GraphView::pbGraphContents_MouseDown(QMouseEvent* event) {
    lngDragX = RoundLong(event->globalPosition().x());
    lngDragLeft = RoundLong(shown_.area.pbGraphContents.Left());
    blnDragging = true;
    UpdateContainerCursor();
}

void GraphView::pbGraphContents_MouseMove(QMouseEvent* event) {
    if (shown_.lngViewMode == ViewMode::None || !(event->buttons() & Qt::LeftButton)) return;
    if (!blnDragging) pbGraphContents_MouseDown(event);
    const int32_t current = RoundLong(shown_.area.pbGraphContents.Left());
    const int32_t newLeft =
        DragLeft(lngDragLeft, lngDragX, RoundLong(event->globalPosition().x()),
                 shown_.area.pbGraphContainer.Width(), shown_.area.pbGraphContents.Width());
    if (newLeft != current) ScrollCanvasTo(newLeft);
}

void GraphView::ScrollCanvasTo(int32_t left) {
    shown_.area.pbGraphContents.SetLeft(left);
    pbGraphContents->Sync();
    {
        const QSignalBlocker quiet(hsbGraph);  // the bar follows the canvas
        hsbGraph->setValue(ScrollValueFor(left, static_cast<int16_t>(hsbGraph->maximum())));
    }
    emit CanvasMoved();
}

void GraphView::pbGraphContents_MouseUp(QMouseEvent*) { EndDrag(); }

void GraphView::EndDrag() {
    blnDragging = false;
    UpdateContainerCursor();
}

}  // namespace grafolux
