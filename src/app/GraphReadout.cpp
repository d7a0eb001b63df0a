// Reading values off the graph: the cursor and its readout, markers A and B, the span
// selection, and the samples of a cell marked on the graph.
#include "app/GraphReadout.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "app/GraphOverlay.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "graph/ZoomMath.h"
#include "views/MarkedColumns.h"
#include "views/Readout.h"

namespace grafolux {

GraphReadout::GraphReadout(const DisplayState& shown, const FormControls& controls,
                           const LogLoading& loading, QWidget& window)
    : QObject(&window),
      shown_(shown),
      loading_(loading),
      pbGraphContainer(controls.pbGraphContainer),
      pbGraphContents(controls.pbGraphContents) {
    overlay_ = new GraphOverlay(shown_.area.pbGraphContents, shown_.colors, pbGraphContainer);
    overlay_->setObjectName("GraphOverlay");
    overlay_->hide();
    pbGraphContents->setMouseTracking(true);
    pbGraphContents->setFocusPolicy(Qt::ClickFocus);
    pbGraphContents->installEventFilter(this);

    // The keys work while the canvas has the focus; the menu shows them.
    const auto action = [this](const QString& text, const QKeySequence& key,
                               void (GraphReadout::*handler)()) {
        auto* action = new QAction(text, pbGraphContents);
        action->setObjectName(text);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, handler);
        pbGraphContents->addAction(action);
        return action;
    };
    setA_ = action("Set Marker A Here", Qt::Key_A, &GraphReadout::mMarkerA_Click);
    setB_ = action("Set Marker B Here", Qt::Key_B, &GraphReadout::mMarkerB_Click);
    clearMarkers_ = action("Clear Markers", Qt::Key_Escape, &GraphReadout::mClearMarkers_Click);
    showAB_ = action(QString::fromUtf8("Show Samples A\u2013B"), {},
                     &GraphReadout::mShowMarkedSamples_Click);
    showAll_ = action("Show All Samples", {}, &GraphReadout::mShowAllSamples_Click);
    copy_ = action("Copy Values at Cursor", {}, &GraphReadout::mCopyValues_Click);
    next_ = action("Next Occurrence", Qt::Key_N, &GraphReadout::mNextOccurrence_Click);
    previous_ = action("Previous Occurrence", Qt::SHIFT | Qt::Key_N,
                       &GraphReadout::mPreviousOccurrence_Click);
    clearCell_ = action("Clear Cell Marks", {}, &GraphReadout::mClearCellMarks_Click);

    menu_ = new QMenu(&window);
    menu_->addActions({setA_, setB_, clearMarkers_});
    menu_->addSeparator();
    menu_->addActions({showAB_, showAll_});
    menu_->addSeparator();
    menu_->addAction(copy_);
    menu_->addSeparator();
    menu_->addActions({next_, previous_, clearCell_});
    EnableReadoutActions();
}

bool GraphReadout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pbGraphContents && ReadoutEvent(event)) return true;
    return QObject::eventFilter(watched, event);
}

bool GraphReadout::ReadoutEvent(QEvent* event) {
    if (loading_.Busy()) return false;  // the shown log is about to be replaced
    switch (event->type()) {
        case QEvent::MouseMove:
            return Canvas_MouseMove(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonPress:
            return Canvas_MousePress(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return Canvas_MouseRelease(static_cast<QMouseEvent*>(event));
        case QEvent::KeyPress:
            return Canvas_KeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            return Canvas_ContextMenu(static_cast<QContextMenuEvent*>(event));
        case QEvent::Leave:
            Canvas_Leave();
            return false;
        default:
            return false;
    }
}

// A new log: nothing of the old one is pointed at any more.
void GraphReadout::ForgetLog() {
    cursor_.reset();
    cursorByKeys_ = false;
    markers_ = {};
    span_.reset();
    marked_.reset();
    found_.reset();
    findNotice_.clear();
    RefreshReadout();
}

// Markers outside a new range go; the cell's samples are found again; the cursor is where the
// new view puts it.
void GraphReadout::ShowReadout(const std::optional<SampleAxis>& axis) {
    axis_ = axis;
    overlay_->setGeometry(pbGraphContainer->rect());
    overlay_->setVisible(axis.has_value());
    overlay_->raise();
    if (axis) {
        markers_.KeepWithin(axis->sFirst, axis->sLast);
        // Again at each drawing: the range or the table's filters may have changed.
        if (marked_) marked_->marks = marked_->marker(axis->sFirst, axis->sLast);
    }
    ShowMarks();
    ShowCursor(CursorInNewView());
}

// The canvas moved under the cursor.
void GraphReadout::FollowCanvas() { ShowCursor(CursorInNewView()); }

// After the view changed under it, the cursor is at the sample now under the still mouse, or
// at the sample the keys put it on while that is shown; none when the mouse is off the canvas.
std::optional<int32_t> GraphReadout::CursorInNewView() const {
    if (!axis_) return std::nullopt;  // a table view shows none
    if (cursorByKeys_)
        return cursor_ && *cursor_ >= axis_->sFirst && *cursor_ <= axis_->sLast ? cursor_
                                                                                : std::nullopt;
    if (!mouse_) return std::nullopt;
    return SampleAt(QPointF(mouse_->x() - shown_.area.pbGraphContents.leftPx(), 0));
}

void GraphReadout::ShowFind(std::shared_ptr<const FoundRuns> found, const QString& notice) {
    found_ = std::move(found);
    findNotice_ = notice;
    RefreshReadout();
}

int32_t GraphReadout::SampleAt(QPointF canvasPoint) const {
    return axis_->SampleAtColumn(static_cast<int>(std::floor(canvasPoint.x())),
                                 shown_.area.pbGraphContents.image().width());
}

std::optional<int32_t> GraphReadout::HereSample() const {
    return menuSample_ ? menuSample_ : cursor_;
}

// The cursor line at the sample, and the readout of the items there; none hides both.
void GraphReadout::ShowCursor(std::optional<int32_t> sample) {
    cursor_ = sample;
    if (!sample || !axis_) {
        overlay_->SetCursor(std::nullopt);
        overlay_->SetReadout({}, {});
    } else {
        overlay_->SetCursor(
            axis_->ColumnOfSample(*sample, shown_.area.pbGraphContents.image().width()));
        // Without the mouse over the canvas the box keeps to its first corner.
        overlay_->SetReadout(ReadoutAt(*sample), mouse_.value_or(QPoint(-1000, -1000)));
    }
    EnableReadoutActions();
}

std::vector<ReadoutRow> GraphReadout::ReadoutAt(int32_t sample, bool exact) const {
    return ReadoutRows(
        shown_.log,
        {shown_.lngCurItem, sample, markers_, marked_ ? marked_->name : QString(),
         found_ ? found_->Status(sample) : QString(), shown_.versus ? &shown_.versus->log : nullptr,
         shown_.versus ? shown_.versus->offset : 0, exact},
        shown_.colors);
}

void GraphReadout::AddMenuAction(QAction* action) {
    pbGraphContents->addAction(action);
    menu_->addSeparator();
    menu_->addAction(action);
}

// After a change of markers, span or marked cell.
void GraphReadout::RefreshReadout() {
    ShowMarks();
    ShowCursor(cursor_);
}

void GraphReadout::ShowRun(const SampleMarks& marks, int32_t start) {
    const int width = shown_.area.pbGraphContents.image().width();
    PlaceCursor(start, LeftCentringColumns(axis_->ColumnOfSample(start, width),
                                           axis_->ColumnOfSample(marks.RunLast(start), width),
                                           shown_.area.pbGraphContainer.Width(),
                                           shown_.area.pbGraphContents.Width()));
}

// The cursor at the sample, the view scrolled to show it.
void GraphReadout::MoveCursorTo(int32_t sample) {
    const int column = axis_->ColumnOfSample(sample, shown_.area.pbGraphContents.image().width());
    PlaceCursor(sample, LeftShowingColumn(column, shown_.area.pbGraphContents.Left(),
                                          shown_.area.pbGraphContainer.Width(),
                                          shown_.area.pbGraphContents.Width()));
}

// The cursor at the sample as the keys put it, the canvas at `left`: it stays there through
// redraws while the mouse keeps still.
void GraphReadout::PlaceCursor(int32_t sample, int32_t left) {
    cursor_ = sample;
    cursorByKeys_ = true;
    if (left != shown_.area.pbGraphContents.Left()) emit ScrollWanted(left);
    ShowCursor(sample);
}

void GraphReadout::ShowMarks() {
    if (!axis_) return;
    const int width = shown_.area.pbGraphContents.image().width();
    const auto column = [&](std::optional<int32_t> sample) -> std::optional<int> {
        if (!sample) return std::nullopt;
        return axis_->ColumnOfSample(*sample, width);
    };
    overlay_->SetMarkers(column(markers_.a), column(markers_.b));
    overlay_->SetBand(span_ ? std::optional<ColumnSpan>(
                                  ColumnSpan{*column(std::min(span_->first, span_->second)),
                                             *column(std::max(span_->first, span_->second))})
                            : std::nullopt);
    overlay_->SetCellMarks(marked_ ? MarkedColumns(marked_->marks, *axis_, width)
                                   : std::vector<ColumnSpan>{});
    overlay_->SetFindTicks(found_ ? MarkedColumns(found_->marks(), *axis_, width)
                                  : std::vector<ColumnSpan>{});
    overlay_->SetNotice(findNotice_);
}

void GraphReadout::EnableReadoutActions() {
    const bool graph = axis_.has_value();
    setA_->setEnabled(graph && HereSample());
    setB_->setEnabled(graph && HereSample());
    clearMarkers_->setEnabled(graph && (markers_.any() || span_));
    showAB_->setEnabled(graph && markers_.Span());
    showAll_->setEnabled(graph && shown_.log.lngSampleCount > 1);
    copy_->setEnabled(graph && HereSample());
    for (QAction* action : {next_, previous_, clearCell_}) action->setEnabled(graph && marked_);
}

// ---- Mouse and keys on the canvas ----

bool GraphReadout::Canvas_MouseMove(QMouseEvent* event) {
    mouse_ = event->position().toPoint() + QPoint(shown_.area.pbGraphContents.leftPx(), 0);
    cursorByKeys_ = false;
    if (!axis_) return false;
    const int32_t sample = SampleAt(event->position());
    if (span_) span_->second = sample;
    ShowCursor(sample);
    if (!span_) return false;  // a plain drag pans
    ShowMarks();
    return true;
}

bool GraphReadout::Canvas_MousePress(QMouseEvent* event) {
    if (!axis_ || event->button() != Qt::LeftButton || !(event->modifiers() & Qt::ShiftModifier))
        return false;
    const int32_t sample = SampleAt(event->position());
    span_ = {sample, sample};
    RefreshReadout();
    return true;
}

bool GraphReadout::Canvas_MouseRelease(QMouseEvent* event) {
    if (!span_ || event->button() != Qt::LeftButton) return false;
    const auto [from, to] = *span_;
    span_.reset();
    RefreshReadout();
    if (from != to) emit RangeChosen(std::min(from, to), std::max(from, to));
    return true;
}

void GraphReadout::MarkOnGraph(const QString& name, CellMarker marker) {
    marked_ = MarkedCell{name, std::move(marker), SampleMarks()};
    emit GraphWanted();  // as its button shows it; its drawing marks the samples
    if (!axis_) return;
    if (const auto start = marked_->marks.NextRunStart(axis_->sFirst - 1))
        ShowRun(marked_->marks, *start);
}

bool GraphReadout::Canvas_KeyPress(QKeyEvent* event) {
    const int key = event->key();
    if (!axis_ || (key != Qt::Key_Left && key != Qt::Key_Right)) return false;
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    // Without a cursor, it starts at the first sample in view.
    const int32_t from = cursor_ ? *cursor_ + (key == Qt::Key_Left ? -step : step)
                                 : SampleAt(QPointF(-shown_.area.pbGraphContents.leftPx(), 0));
    MoveCursorTo(std::clamp(from, axis_->sFirst, axis_->sLast));
    return true;
}

bool GraphReadout::Canvas_ContextMenu(QContextMenuEvent* event) {
    if (!axis_) return false;
    // The right button's press began a drag that the menu takes the release of.
    emit DragInterrupted();
    menuSample_ = event->reason() == QContextMenuEvent::Mouse
                      ? std::optional<int32_t>(SampleAt(event->pos()))
                      : cursor_;
    EnableReadoutActions();
    menu_->exec(event->globalPos());
    menuSample_.reset();
    EnableReadoutActions();
    return true;
}

void GraphReadout::Canvas_Leave() {
    mouse_.reset();
    cursorByKeys_ = false;
    ShowCursor(std::nullopt);
}

// ---- The canvas' menu and keys ----

void GraphReadout::mMarkerA_Click() { SetMarkerHere(markers_.a); }

void GraphReadout::mMarkerB_Click() { SetMarkerHere(markers_.b); }

void GraphReadout::SetMarkerHere(std::optional<int32_t>& marker) {
    if (!HereSample()) return;
    marker = HereSample();
    RefreshReadout();
}

void GraphReadout::mClearMarkers_Click() {
    markers_ = {};
    span_.reset();
    RefreshReadout();
}

void GraphReadout::mShowMarkedSamples_Click() {
    if (const auto span = markers_.Span()) emit RangeChosen(span->first, span->second);
}

void GraphReadout::mShowAllSamples_Click() {
    if (shown_.log.lngSampleCount > 1) emit RangeChosen(1, shown_.log.lngSampleCount);
}

void GraphReadout::mCopyValues_Click() {
    const auto sample = HereSample();
    if (!sample || !axis_) return;
    QGuiApplication::clipboard()->setText(ReadoutText(ReadoutAt(*sample, true)));
}

void GraphReadout::mNextOccurrence_Click() {
    if (!marked_ || !axis_) return;
    if (const auto start = marked_->marks.NextRunStart(cursor_.value_or(axis_->sFirst - 1)))
        ShowRun(marked_->marks, *start);
}

void GraphReadout::mPreviousOccurrence_Click() {
    if (!marked_ || !axis_) return;
    if (const auto start = marked_->marks.PreviousRunStart(cursor_.value_or(axis_->sLast + 1)))
        ShowRun(marked_->marks, *start);
}

void GraphReadout::mClearCellMarks_Click() {
    marked_.reset();
    RefreshReadout();
}

}  // namespace grafolux
