// The window's handlers for reading values off the graph: the cursor and its readout, markers
// A and B, the span selection, and the samples of a table cell marked on the graph.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <cmath>

#include "app/GraphOverlay.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "app/TableMenu.h"
#include "app/frmMain.h"
#include "graph/ZoomMath.h"
#include "tables/CellAtPoint.h"
#include "views/MarkedColumns.h"
#include "views/Readout.h"

namespace grafolux {

void frmMain::CreateReadout() {
    GraphReadout& r = readout_;
    r.overlay = new GraphOverlay(shown_.area.pbGraphContents, shown_.colors, ui_.pbGraphContainer);
    r.overlay->setObjectName("GraphOverlay");
    r.overlay->hide();
    ui_.pbGraphContents->setMouseTracking(true);
    ui_.pbGraphContents->setFocusPolicy(Qt::ClickFocus);
    ui_.pbGraphContents->installEventFilter(this);

    // The keys work while the canvas has the focus; the menu shows them.
    const auto action = [this](const QString& text, const QKeySequence& key,
                               void (frmMain::*handler)()) {
        auto* action = new QAction(text, ui_.pbGraphContents);
        action->setObjectName(text);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, handler);
        ui_.pbGraphContents->addAction(action);
        return action;
    };
    r.setA = action("Set Marker A Here", Qt::Key_A, &frmMain::mMarkerA_Click);
    r.setB = action("Set Marker B Here", Qt::Key_B, &frmMain::mMarkerB_Click);
    r.clearMarkers = action("Clear Markers", Qt::Key_Escape, &frmMain::mClearMarkers_Click);
    r.showAB =
        action(QString::fromUtf8("Show Samples A\u2013B"), {}, &frmMain::mShowMarkedSamples_Click);
    r.showAll = action("Show All Samples", {}, &frmMain::mShowAllSamples_Click);
    r.copy = action("Copy Values at Cursor", {}, &frmMain::mCopyValues_Click);
    r.next = action("Next Occurrence", Qt::Key_N, &frmMain::mNextOccurrence_Click);
    r.previous =
        action("Previous Occurrence", Qt::SHIFT | Qt::Key_N, &frmMain::mPreviousOccurrence_Click);
    r.clearCell = action("Clear Cell Marks", {}, &frmMain::mClearCellMarks_Click);

    r.menu = new QMenu(this);
    r.menu->addActions({r.setA, r.setB, r.clearMarkers});
    r.menu->addSeparator();
    r.menu->addActions({r.showAB, r.showAll});
    r.menu->addSeparator();
    r.menu->addAction(r.copy);
    r.menu->addSeparator();
    r.menu->addActions({r.next, r.previous, r.clearCell});
    EnableReadoutActions();
}

bool frmMain::ReadoutEvent(QEvent* event) {
    if (loading_->Busy()) return false;  // the shown log is about to be replaced
    switch (event->type()) {
        case QEvent::MouseMove:
            return Canvas_MouseMove(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonPress:
            return Canvas_MousePress(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return Canvas_MouseRelease(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonDblClick:
            return Canvas_DoubleClick(static_cast<QMouseEvent*>(event));
        case QEvent::KeyPress:
            return Canvas_KeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            return Canvas_ContextMenu(static_cast<QContextMenuEvent*>(event));
        case QEvent::ToolTip:
            return Canvas_ToolTip(static_cast<QHelpEvent*>(event));
        case QEvent::Leave:
            Canvas_Leave();
            return false;
        default:
            return false;
    }
}

// A new log: nothing of the old one is pointed at any more.
void frmMain::ForgetReadout() {
    GraphReadout& r = readout_;
    r.cursor.reset();
    r.markers = {};
    r.span.reset();
    r.marked.reset();
    RefreshReadout();
}

// Markers outside a new range go; the cell's samples are found again.
void frmMain::ShowReadout(const std::optional<SampleAxis>& axis) {
    GraphReadout& r = readout_;
    r.axis = axis;
    r.overlay->setGeometry(ui_.pbGraphContainer->rect());
    r.overlay->setVisible(axis.has_value());
    r.overlay->raise();
    if (!axis) {
        r.cursor.reset();  // a table view shows none
    } else {
        r.markers.KeepWithin(axis->sFirst, axis->sLast);
        if (r.cursor && (*r.cursor < axis->sFirst || *r.cursor > axis->sLast)) r.cursor.reset();
        // Again at each drawing: the range or the table's filters may have changed.
        if (r.marked)
            r.marked->marks =
                MarkCellSamples(shown_.log, r.marked->cell, axis->sFirst, axis->sLast,
                                SampleFilter(shown_.log, tables_->preferences().conditions));
    }
    RefreshReadout();
}

int32_t frmMain::SampleAt(QPointF canvasPoint) const {
    return readout_.axis->SampleAtColumn(static_cast<int>(std::floor(canvasPoint.x())),
                                         shown_.area.pbGraphContents.image().width());
}

std::optional<int32_t> frmMain::HereSample() const {
    return readout_.menuSample ? readout_.menuSample : readout_.cursor;
}

// The cursor line at the sample, and the readout of the items there; none hides both.
void frmMain::ShowCursor(std::optional<int32_t> sample) {
    GraphReadout& r = readout_;
    r.cursor = sample;
    if (!sample || !r.axis) {
        r.overlay->SetCursor(std::nullopt);
        r.overlay->SetReadout({}, {});
    } else {
        r.overlay->SetCursor(
            r.axis->ColumnOfSample(*sample, shown_.area.pbGraphContents.image().width()));
        // Without the mouse over the canvas the box keeps to its first corner.
        r.overlay->SetReadout(ReadoutAt(*sample), r.mouse.value_or(QPoint(-1000, -1000)));
    }
    EnableReadoutActions();
}

std::vector<ReadoutRow> frmMain::ReadoutAt(int32_t sample) const {
    const GraphReadout& r = readout_;
    return ReadoutRows(
        shown_.log,
        {shown_.lngCurItem, sample, r.markers, r.marked ? CellName(r.marked->cell) : QString()},
        shown_.colors);
}

// After a change of markers, span or marked cell.
void frmMain::RefreshReadout() {
    ShowMarks();
    ShowCursor(readout_.cursor);
}

// The cursor at the sample, the view scrolled to show it.
void frmMain::MoveCursorTo(int32_t sample) {
    const int column =
        readout_.axis->ColumnOfSample(sample, shown_.area.pbGraphContents.image().width());
    const int32_t left = LeftShowingColumn(column, shown_.area.pbGraphContents.Left(),
                                           shown_.area.pbGraphContainer.Width(),
                                           shown_.area.pbGraphContents.Width());
    if (left != shown_.area.pbGraphContents.Left()) ScrollCanvasTo(left);
    readout_.mouse.reset();
    ShowCursor(sample);
}

void frmMain::ShowMarks() {
    GraphReadout& r = readout_;
    if (!r.axis) return;
    const int width = shown_.area.pbGraphContents.image().width();
    const auto column = [&](std::optional<int32_t> sample) -> std::optional<int> {
        if (!sample) return std::nullopt;
        return r.axis->ColumnOfSample(*sample, width);
    };
    r.overlay->SetMarkers(column(r.markers.a), column(r.markers.b));
    r.overlay->SetBand(r.span ? std::optional<ColumnSpan>(
                                    ColumnSpan{*column(std::min(r.span->first, r.span->second)),
                                               *column(std::max(r.span->first, r.span->second))})
                              : std::nullopt);
    r.overlay->SetTicks(r.marked ? MarkedColumns(r.marked->marks, *r.axis, width)
                                 : std::vector<ColumnSpan>{});
}

// As typing the numbers into the range boxes and pressing Enter would.
void frmMain::ShowRange(int32_t first, int32_t last) {
    ui_.tbFirst->setText(QString::number(first));
    ui_.tbLast->setText(QString::number(last));
    tbLast_LostFocus();
}

void frmMain::EnableReadoutActions() {
    const GraphReadout& r = readout_;
    const bool graph = r.axis.has_value();
    r.setA->setEnabled(graph && HereSample());
    r.setB->setEnabled(graph && HereSample());
    r.clearMarkers->setEnabled(graph && (r.markers.any() || r.span));
    r.showAB->setEnabled(graph && r.markers.Span());
    r.showAll->setEnabled(graph && shown_.log.lngSampleCount > 1);
    r.copy->setEnabled(graph && HereSample());
    for (QAction* action : {r.next, r.previous, r.clearCell}) action->setEnabled(graph && r.marked);
}

// ---- Mouse and keys on the canvas ----

bool frmMain::Canvas_MouseMove(QMouseEvent* event) {
    GraphReadout& r = readout_;
    if (IsTableView(shown_.lngViewMode)) {
        // A tooltip already shown follows the mouse from cell to cell.
        if (QToolTip::isVisible())
            ShowCellTip(event->position().toPoint(), event->globalPosition().toPoint());
        return false;
    }
    if (!r.axis) return false;
    const int32_t sample = SampleAt(event->position());
    r.mouse = event->position().toPoint() + QPoint(shown_.area.pbGraphContents.leftPx(), 0);
    if (r.span) r.span->second = sample;
    ShowCursor(sample);
    if (!r.span) return false;  // a plain drag pans
    ShowMarks();
    return true;
}

bool frmMain::Canvas_MousePress(QMouseEvent* event) {
    GraphReadout& r = readout_;
    if (!r.axis || event->button() != Qt::LeftButton || !(event->modifiers() & Qt::ShiftModifier))
        return false;
    const int32_t sample = SampleAt(event->position());
    r.span = {sample, sample};
    RefreshReadout();
    return true;
}

bool frmMain::Canvas_MouseRelease(QMouseEvent* event) {
    GraphReadout& r = readout_;
    if (!r.span || event->button() != Qt::LeftButton) return false;
    const auto [from, to] = *r.span;
    r.span.reset();
    RefreshReadout();
    if (from != to) ShowRange(std::min(from, to), std::max(from, to));
    return true;
}

// In a table: the cell's samples marked on the graph.
bool frmMain::Canvas_DoubleClick(QMouseEvent* event) {
    if (!IsTableView(shown_.lngViewMode)) return false;
    const auto cell = CellAtPoint(shown_.area.pbGraphContents, event->position().toPoint());
    if (!cell || ShownCellStatistics().count[cell->row - 1][cell->column - 1] == 0) return true;
    readout_.marked = GraphReadout::MarkedCell{*cell, SampleMarks()};
    SelectItem(
        shown_.lngCurItem);  // the graph, as its button shows it; its redraw marks the samples
    return true;
}

bool frmMain::Canvas_KeyPress(QKeyEvent* event) {
    GraphReadout& r = readout_;
    const int key = event->key();
    if (!r.axis || (key != Qt::Key_Left && key != Qt::Key_Right)) return false;
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    // Without a cursor, it starts at the first sample in view.
    const int32_t from = r.cursor ? *r.cursor + (key == Qt::Key_Left ? -step : step)
                                  : SampleAt(QPointF(-shown_.area.pbGraphContents.leftPx(), 0));
    MoveCursorTo(std::clamp(from, r.axis->sFirst, r.axis->sLast));
    return true;
}

bool frmMain::Canvas_ContextMenu(QContextMenuEvent* event) {
    GraphReadout& r = readout_;
    if (!r.axis) return false;
    // The right button's press began a drag that the menu takes the release of.
    pbGraphContents_MouseUp(nullptr);
    r.menuSample = event->reason() == QContextMenuEvent::Mouse
                       ? std::optional<int32_t>(SampleAt(event->pos()))
                       : r.cursor;
    EnableReadoutActions();
    r.menu->exec(event->globalPos());
    r.menuSample.reset();
    EnableReadoutActions();
    return true;
}

bool frmMain::Canvas_ToolTip(QHelpEvent* event) {
    if (!IsTableView(shown_.lngViewMode)) return false;
    ShowCellTip(event->pos(), event->globalPos());
    return true;
}

// The statistics of the table cell under `point` (canvas pixels), or no tooltip off the cells.
void frmMain::ShowCellTip(QPoint point, QPoint globalPoint) {
    const auto cell = CellAtPoint(shown_.area.pbGraphContents, point);
    if (cell)
        QToolTip::showText(globalPoint,
                           CellSummary(ShownCellStatistics(), readout_.shownKind, *cell),
                           ui_.pbGraphContents);
    else
        QToolTip::hideText();
}

void frmMain::Canvas_Leave() {
    readout_.mouse.reset();
    ShowCursor(std::nullopt);
}

// ---- The canvas' menu and keys ----

void frmMain::mMarkerA_Click() { SetMarkerHere(readout_.markers.a); }

void frmMain::mMarkerB_Click() { SetMarkerHere(readout_.markers.b); }

void frmMain::SetMarkerHere(std::optional<int32_t>& marker) {
    if (!HereSample()) return;
    marker = HereSample();
    RefreshReadout();
}

void frmMain::mClearMarkers_Click() {
    readout_.markers = {};
    readout_.span.reset();
    RefreshReadout();
}

void frmMain::mShowMarkedSamples_Click() {
    if (const auto span = readout_.markers.Span()) ShowRange(span->first, span->second);
}

void frmMain::mShowAllSamples_Click() {
    if (shown_.log.lngSampleCount > 1) ShowRange(1, shown_.log.lngSampleCount);
}

void frmMain::mCopyValues_Click() {
    const auto sample = HereSample();
    if (!sample || !readout_.axis) return;
    QGuiApplication::clipboard()->setText(ReadoutText(ReadoutAt(*sample)));
}

void frmMain::mNextOccurrence_Click() {
    const GraphReadout& r = readout_;
    if (!r.marked || !r.axis) return;
    if (const auto start = r.marked->marks.NextRunStart(r.cursor.value_or(r.axis->sFirst - 1)))
        MoveCursorTo(*start);
}

void frmMain::mPreviousOccurrence_Click() {
    const GraphReadout& r = readout_;
    if (!r.marked || !r.axis) return;
    if (const auto start = r.marked->marks.PreviousRunStart(r.cursor.value_or(r.axis->sLast + 1)))
        MoveCursorTo(*start);
}

void frmMain::mClearCellMarks_Click() {
    readout_.marked.reset();
    RefreshReadout();
}

}  // namespace grafolux
