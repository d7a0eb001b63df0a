#include "app/GraphView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

#include "app/FormControls.h"
#include "app/LogDocument.h"
#include "app/PictureBox.h"
#include "graph/ZoomMath.h"
#include "logdata/Rounding.h"
#include "views/PlotViewDrawing.h"
#include "views/RetuneViewDrawing.h"
#include "views/ViewDrawing.h"

namespace grafolux {

GraphView::GraphView(LogDocument& document, DrawingArea& area, const DisplayColors& colors,
                     const FormControls& c, QObject* parent)
    : QObject(parent),
      document_(document),
      area_(area),
      colors_(colors),
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
    // A click on a view or zoom button, or anywhere on the drawing area, takes the keyboard
    // from a text box to the canvas: Ctrl+C and Ctrl+V then act on the view. First, so that a
    // range typed and left is entered before the view draws.
    for (QToolButton* button : {bZoomIn, bZoomOut, bData, bBLM, bINT})
        connect(button, &QToolButton::clicked, pbGraphContents,
                [this] { pbGraphContents->setFocus(Qt::MouseFocusReason); });
    pbGraphContents->setFocusPolicy(Qt::ClickFocus);
    for (PictureBox* box : {pbGraph, pbGraphContainer, pbLegend}) {
        box->setFocusProxy(pbGraphContents);
        box->setFocusPolicy(Qt::ClickFocus);
    }
    connect(bZoomIn, &QToolButton::clicked, this,
            [this] { SetZoom(document_.zoom() + kZoomStep); });
    connect(bZoomOut, &QToolButton::clicked, this,
            [this] { SetZoom(document_.zoom() - kZoomStep); });
    connect(bData, &QToolButton::clicked, this, [this] { document_.ShowView(ViewMode::Graph); });
    connect(bBLM, &QToolButton::clicked, this, [this] { document_.ShowView(ViewMode::Blm); });
    connect(bINT, &QToolButton::clicked, this, [this] { document_.ShowView(ViewMode::Int); });
    connect(hsbGraph, &QScrollBar::valueChanged, this, &GraphView::hsbGraph_Change);
    connect(pbGraphContents, &PictureBox::MouseDown, this, &GraphView::pbGraphContents_MouseDown);
    connect(pbGraphContents, &PictureBox::MouseMove, this, &GraphView::pbGraphContents_MouseMove);
    connect(pbGraphContents, &PictureBox::MouseUp, this, &GraphView::pbGraphContents_MouseUp);
    pbGraphContents->installEventFilter(this);

    connect(&document, &LogDocument::LogShown, this, &GraphView::ShowNewLog);
    connect(&document, &LogDocument::ViewWanted, this, &GraphView::ShowView);
    connect(&document, &LogDocument::CurrentItemChanged, this, &GraphView::FollowItem);
    connect(&document, &LogDocument::ItemLookChanged, this, &GraphView::FollowItem);
    connect(&document, &LogDocument::PlotChoicesChanged, this, [this] {
        if (IsPlotView(document_.viewMode())) RedrawCurrentView();
    });
    connect(&document, &LogDocument::RangeEntered, this, &GraphView::ApplySampleRange);
    connect(&document, &LogDocument::ComparisonChanged, this, &GraphView::Redraw);
    connect(&document, &LogDocument::DefinitionsChanged, this, [this] {
        if (document_.loaded()) Redraw();
    });
    // The retune pools the tables' logs under their filters: it follows their settings too.
    connect(&document, &LogDocument::TableChoicesChanged, this, &GraphView::RedrawTableView);
    connect(&document, &LogDocument::DifferenceChanged, this, &GraphView::RedrawTableView);
    connect(&document, &LogDocument::IncludedLogsChanged, this, &GraphView::RedrawTableView);
    connect(&document, &LogDocument::RetuneChoicesChanged, this, [this] {
        if (document_.viewMode() == ViewMode::Retune) ShowRetune();
    });
    connect(&document, &LogDocument::RetuneMapChanged, this, &GraphView::ShowRetune);
    SetViewMode(ViewMode::None);
}

// ---- Views ----

// The graph where it was scrolled to.
void GraphView::ShowView(ViewMode mode) {
    if (mode == ViewMode::Graph) StoreScrollPos();
    SetViewMode(mode);
    RedrawCurrentView();
}

// The view and zoom buttons show the view and what the zoom allows.
void GraphView::SetViewMode(ViewMode mode) {
    document_.SetViewMode(mode);
    const ViewButtons buttons = ViewButtonsFor(mode, document_.zoom());
    bData->setIcon(icons_.ViewButton(buttons.graphPicture, "GRAPH_DIS"));
    bBLM->setIcon(icons_.ViewButton(buttons.blmPicture, "BLM_DIS"));
    bINT->setIcon(icons_.ViewButton(buttons.intPicture, "INT_DIS"));
    bData->setProperty("picture", buttons.graphPicture);
    bBLM->setProperty("picture", buttons.blmPicture);
    bINT->setProperty("picture", buttons.intPicture);
    bZoomIn->setEnabled(buttons.canZoomIn);
    bZoomOut->setEnabled(buttons.canZoomOut);
}

void GraphView::StoreScrollPos() {
    document_.SetScrollPos(ScrollPosFromLeft(area_.pbGraphContents.Left(), document_.zoom()));
}

void GraphView::SyncSurfaces() {
    for (PictureBox* box : {pbGraph, pbGraphContainer, pbGraphContents, pbLegend}) box->Sync();
}

void GraphView::DrawGraph() {
    SetViewMode(ViewMode::Graph);
    pbLegend->setToolTip({});
    const LogDocument& d = document_;
    std::optional<GraphComparison> versus;
    if (d.versus())
        versus = GraphComparison{&d.versus()->log, d.versus()->offset, d.shownTitle(),
                                 d.versus()->title};
    const GraphResult result =
        DrawGraphForRange(area_, d.log(), {d.currentItem(), d.zoom(), d.scrollPos()}, d.firstText(),
                          d.lastText(), colors_, versus);
    axis_ = result.axis;
    emit GraphDrawn(result);
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(result.axis);
}

void GraphView::DrawCellTable(TableKind kind) {
    const TableSettings settings = document_.tableSettings();
    const PooledTable drawn =
        DrawCellTableForRange(area_, document_.log(), kind, document_.firstText(),
                              document_.lastText(), colors_, settings);
    // What a narrow legend had to wrap or cut short.
    pbLegend->setToolTip(LegendToolTip(TableLegendLines(TableLegendFor(drawn, settings))));
    emit TableDrawn(kind, drawn);
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(std::nullopt);
}

void GraphView::DrawRetune() {
    const auto& map = document_.retuneMap();
    const RetunePreferences& choices = document_.retuneChoices();
    const grafolux::RetuneDrawn drawn =
        DrawRetuneForRange(area_, document_.log(), map ? &map->map : nullptr, document_.firstText(),
                           document_.lastText(), colors_, document_.tableSettings(),
                           {choices.factor, choices.settings});
    pbLegend->setToolTip(LegendToolTip(drawn.legend));
    emit RetuneDrawn(drawn.result);
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(std::nullopt);
}

void GraphView::DrawScatter() {
    const LogDocument& d = document_;
    std::optional<ScatterGrids> grids =
        DrawScatterForRange(area_, d.log(), d.firstText(), d.lastText(), colors_, d.tableSettings(),
                            d.scatterItems(), d.versusLog());
    pbLegend->setToolTip({});
    emit ScatterDrawn(grids ? std::make_shared<const ScatterGrids>(std::move(*grids)) : nullptr);
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(std::nullopt);
}

void GraphView::DrawHistogram() {
    const LogDocument& d = document_;
    const PlotPreferences& choices = d.plotChoices();
    DrawHistogramForRange(area_, d.log(), d.firstText(), d.lastText(), colors_, d.tableSettings(),
                          d.log().udtItems[static_cast<size_t>(d.currentItem())].strName,
                          {choices.bins, choices.percent});
    pbLegend->setToolTip({});
    SyncSurfaces();
    ShowScrollBar();
    emit ViewDrawn(std::nullopt);
}

void GraphView::RedrawCurrentView() {
    const ViewMode mode = document_.viewMode();
    if (mode == ViewMode::Graph)
        DrawGraph();
    else if (const auto kind = TableKindOf(mode))
        DrawCellTable(*kind);
    else if (mode == ViewMode::Retune)
        DrawRetune();
    else if (mode == ViewMode::Scatter)
        DrawScatter();
    else if (mode == ViewMode::Histogram)
        DrawHistogram();
}

void GraphView::Redraw() {
    StoreScrollPos();
    RedrawCurrentView();
}

void GraphView::RedrawTableView() {
    const ViewMode mode = document_.viewMode();
    if (IsTableView(mode) || mode == ViewMode::Retune || IsPlotView(mode)) RedrawCurrentView();
}

void GraphView::FollowItem() {
    if (document_.viewMode() == ViewMode::Histogram)
        RedrawCurrentView();
    else
        ShowGraph();
}

// The graph again: after a change of the item or its look.
void GraphView::ShowGraph() { ShowView(ViewMode::Graph); }

void GraphView::ShowRetune() { ShowView(ViewMode::Retune); }

void GraphView::ApplySampleRange() {
    if (document_.viewMode() == ViewMode::Graph) StoreScrollPos();
    RedrawCurrentView();
}

void GraphView::ZoomOutForChosenRange() {
    if (document_.zoom() <= kMinZoom) return;
    document_.SetZoom(kMinZoom);
    area_.pbGraphContents.SetLeft(0);
    UpdateContainerCursor();
}

// A new log: the graph at zoom 1 from its start.
void GraphView::ShowNewLog() {
    SetZoom(1.0);
    area_.pbGraphContents.SetLeft(0);
    area_.pbGraphContents.SetTop(0);
    pbGraphContents->Sync();
}

// ---- Zoom, scroll and drag ----

void GraphView::UpdateContainerCursor() {
    // The hand shows while there is something to drag: above zoom 1.
    if (document_.zoom() <= kMinZoom)
        pbGraphContainer->unsetCursor();
    else
        pbGraphContainer->setCursor(blnDragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

// The zoom buttons follow the zoom through the view buttons, the scroll bar through the drawing.
void GraphView::SetZoom(double zoom) {
    StoreScrollPos();
    document_.SetZoom(zoom);
    DrawGraph();
    UpdateContainerCursor();
}

// The bar shows where the canvas is. Only a zoomed graph scrolls: a table is never scrolled
// sideways, and a bar with nothing to scroll is off with its thumb over its whole length.
void GraphView::ShowScrollBar() {
    const bool scrolls = document_.viewMode() == ViewMode::Graph && document_.zoom() > kMinZoom;
    const ScrollBarSetup bar = scrolls
                                   ? ScrollBarFor(area_.pbGraphContents.Width(),
                                                  area_.pbGraphContents.Left(), document_.zoom())
                                   : ScrollBarSetup{};
    const QSignalBlocker quiet(hsbGraph);  // the canvas stays where the drawing put it
    hsbGraph->setEnabled(scrolls);
    hsbGraph->setRange(0, bar.max);
    hsbGraph->setPageStep(bar.largeChange);
    hsbGraph->setValue(bar.value);
}

void GraphView::hsbGraph_Change(int value) {
    area_.pbGraphContents.SetLeft(LeftForScrollValue(static_cast<int16_t>(value)));
    pbGraphContents->Sync();
    emit CanvasMoved();
}

void GraphView::pbGraphContents_MouseDown(QMouseEvent* event) {
    lngDragX = RoundLong(event->globalPosition().x());
    lngDragLeft = RoundLong(area_.pbGraphContents.Left());
    blnDragging = true;
    UpdateContainerCursor();
}

void GraphView::pbGraphContents_MouseMove(QMouseEvent* event) {
    if (document_.viewMode() == ViewMode::None || !(event->buttons() & Qt::LeftButton)) return;
    if (!blnDragging) pbGraphContents_MouseDown(event);
    const int32_t current = RoundLong(area_.pbGraphContents.Left());
    const int32_t newLeft = DragLeft(lngDragLeft, lngDragX, RoundLong(event->globalPosition().x()),
                                     area_.pbGraphContainer.Width(), area_.pbGraphContents.Width());
    if (newLeft != current) ScrollCanvasTo(newLeft);
}

void GraphView::ScrollCanvasTo(int32_t left) {
    area_.pbGraphContents.SetLeft(left);
    pbGraphContents->Sync();
    {
        const QSignalBlocker quiet(hsbGraph);  // the bar follows the canvas
        hsbGraph->setValue(ScrollValueFor(left, static_cast<int16_t>(hsbGraph->maximum())));
    }
    emit CanvasMoved();
}

void GraphView::pbGraphContents_MouseUp(QMouseEvent*) { EndDrag(); }

bool GraphView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pbGraphContents && event->type() == QEvent::Wheel)
        return pbGraphContents_Wheel(static_cast<QWheelEvent*>(event));
    return QObject::eventFilter(watched, event);
}

// A wheel's notch (15 degrees) zooms by one step, as a zoom button does, and the sample under the
// mouse stays under it.
bool GraphView::pbGraphContents_Wheel(QWheelEvent* event) {
    if (!document_.viewChoices().wheelZoom || !(event->modifiers() & Qt::ControlModifier) ||
        document_.viewMode() != ViewMode::Graph || !axis_)
        return false;
    constexpr int kNotch = 120;
    wheelTurn_ += event->angleDelta().y();
    const int notches = wheelTurn_ / kNotch;
    wheelTurn_ %= kNotch;
    const double zoom = ClampZoom(document_.zoom() + notches * kZoomStep);
    if (zoom == document_.zoom()) return true;
    const int column = static_cast<int>(std::floor(event->position().x()));
    const int x = column + area_.pbGraphContents.leftPx();
    const int32_t sample = axis_->SampleAtColumn(column, area_.pbGraphContents.image().width());
    SetZoom(zoom);
    if (!axis_) return true;
    const int newColumn = axis_->ColumnOfSample(sample, area_.pbGraphContents.image().width());
    ScrollCanvasTo(LeftPlacingColumnAt(newColumn, x, area_.pbGraphContainer.Width(),
                                       area_.pbGraphContents.Width()));
    return true;
}

void GraphView::EndDrag() {
    blnDragging = false;
    UpdateContainerCursor();
}

}  // namespace grafolux
