// Reading values off the graph: the cursor and its readout, markers A and B, the span
// selection, and the samples of a cell marked on the graph.
#include "app/GraphReadout.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

#include "app/FormControls.h"
#include "app/GraphOverlay.h"
#include "app/LogDocument.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "app/WindowActions.h"
#include "graph/ZoomMath.h"
#include "views/MarkedColumns.h"
#include "views/Readout.h"

namespace grafolux {

GraphReadout::GraphReadout(LogDocument& document, const DrawingArea& area,
                           const DisplayColors& colors, const FormControls& controls,
                           ActionRegistry& actions, const LogLoading& loading, QWidget& window)
    : QObject(&window),
      document_(document),
      area_(area),
      colors_(colors),
      actions_(actions),
      loading_(loading),
      pbGraphContainer(controls.pbGraphContainer),
      pbGraphContents(controls.pbGraphContents) {
    overlay_ = new GraphOverlay(area_.pbGraphContents, colors, pbGraphContainer);
    overlay_->setObjectName("GraphOverlay");
    overlay_->hide();
    pbGraphContents->setMouseTracking(true);
    pbGraphContents->installEventFilter(this);

    const auto here = [this] { return axis_.has_value() && HereSample().has_value(); };
    actions.Bind(
        ActionId::SetMarkerA, [this] { SetMarkerHere(markers_.a); }, here);
    actions.Bind(
        ActionId::SetMarkerB, [this] { SetMarkerHere(markers_.b); }, here);
    actions.Bind(
        ActionId::ClearMarkers, [this] { mClearMarkers_Click(); },
        [this] { return axis_.has_value() && (markers_.any() || span_.has_value()); });
    actions.Bind(
        ActionId::ShowMarkedSamples, [this] { mShowMarkedSamples_Click(); },
        [this] { return axis_.has_value() && markers_.Span().has_value(); });
    actions.Bind(
        ActionId::ShowAllSamples, [this] { mShowAllSamples_Click(); },
        [this] { return axis_.has_value() && document_.log().lngSampleCount > 1; });
    actions.Bind(
        ActionId::CopyValues, [this] { mCopyValues_Click(); }, here);
    const auto cell = [this] { return axis_.has_value() && marked_.has_value(); };
    actions.Bind(
        ActionId::NextOccurrence, [this] { mNextOccurrence_Click(); }, cell);
    actions.Bind(
        ActionId::PreviousOccurrence, [this] { mPreviousOccurrence_Click(); }, cell);
    actions.Bind(
        ActionId::ClearCellMarks, [this] { mClearCellMarks_Click(); }, cell);

    menu_ = new QMenu(&window);
    actions.AddTo(*menu_, ActionPlace::Canvas);
    connect(&document, &LogDocument::LogShown, this, &GraphReadout::ForgetLog);
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
    return SampleAt(QPointF(mouse_->x() - area_.pbGraphContents.leftPx(), 0));
}

void GraphReadout::ShowFind(std::shared_ptr<const FoundRuns> found, const QString& notice) {
    found_ = std::move(found);
    findNotice_ = notice;
    RefreshReadout();
}

int32_t GraphReadout::SampleAt(QPointF canvasPoint) const {
    return axis_->SampleAtColumn(static_cast<int>(std::floor(canvasPoint.x())),
                                 area_.pbGraphContents.image().width());
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
        overlay_->SetCursor(axis_->ColumnOfSample(*sample, area_.pbGraphContents.image().width()));
        // Without the mouse over the canvas the box keeps to its first corner.
        overlay_->SetReadout(ReadoutAt(*sample), mouse_.value_or(QPoint(-1000, -1000)));
    }
    actions_.Refresh();
}

std::vector<ReadoutRow> GraphReadout::ReadoutAt(int32_t sample, bool exact) const {
    const auto& versus = document_.versus();
    return ReadoutRows(
        document_.log(),
        {document_.currentItem(), sample, markers_, marked_ ? marked_->name : QString(),
         found_ ? found_->Status(sample) : QString(), versus ? &versus->log : nullptr,
         versus ? versus->offset : 0, exact},
        colors_);
}

// After a change of markers, span or marked cell.
void GraphReadout::RefreshReadout() {
    ShowMarks();
    ShowCursor(cursor_);
}

void GraphReadout::ShowRun(const SampleMarks& marks, int32_t start) {
    const int width = area_.pbGraphContents.image().width();
    PlaceCursor(start,
                LeftCentringColumns(axis_->ColumnOfSample(start, width),
                                    axis_->ColumnOfSample(marks.RunLast(start), width),
                                    area_.pbGraphContainer.Width(), area_.pbGraphContents.Width()));
}

// The cursor at the sample, the view scrolled to show it.
void GraphReadout::MoveCursorTo(int32_t sample) {
    const int column = axis_->ColumnOfSample(sample, area_.pbGraphContents.image().width());
    PlaceCursor(sample,
                LeftShowingColumn(column, area_.pbGraphContents.Left(),
                                  area_.pbGraphContainer.Width(), area_.pbGraphContents.Width()));
}

// The cursor at the sample as the keys put it, the canvas at `left`: it stays there through
// redraws while the mouse keeps still.
void GraphReadout::PlaceCursor(int32_t sample, int32_t left) {
    cursor_ = sample;
    cursorByKeys_ = true;
    if (left != area_.pbGraphContents.Left()) emit ScrollWanted(left);
    ShowCursor(sample);
}

void GraphReadout::ShowMarks() {
    overlay_->SetNotice(findNotice_);
    if (!axis_) return;
    const int width = area_.pbGraphContents.image().width();
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
}

// ---- Mouse and keys on the canvas ----

bool GraphReadout::Canvas_MouseMove(QMouseEvent* event) {
    mouse_ = event->position().toPoint() + QPoint(area_.pbGraphContents.leftPx(), 0);
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

void GraphReadout::MarkOnGraph(const QString& name, CellMarker marker,
                               std::optional<int32_t> centre) {
    marked_ = MarkedCell{name, std::move(marker), SampleMarks()};
    document_.ShowView(ViewMode::Graph);  // as its button shows it; its drawing marks the samples
    if (!axis_) return;
    if (centre && marked_->marks.AnyMarked(*centre, *centre)) {
        const int column = axis_->ColumnOfSample(*centre, area_.pbGraphContents.image().width());
        PlaceCursor(*centre, LeftCentringColumns(column, column, area_.pbGraphContainer.Width(),
                                                 area_.pbGraphContents.Width()));
        return;
    }
    if (const auto start = marked_->marks.NextRunStart(axis_->sFirst - 1))
        ShowRun(marked_->marks, *start);
}

bool GraphReadout::Canvas_KeyPress(QKeyEvent* event) {
    const int key = event->key();
    if (!axis_ || (key != Qt::Key_Left && key != Qt::Key_Right)) return false;
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    // Without a cursor, it starts at the first sample in view.
    const int32_t from = cursor_ ? *cursor_ + (key == Qt::Key_Left ? -step : step)
                                 : SampleAt(QPointF(-area_.pbGraphContents.leftPx(), 0));
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
    actions_.Refresh();
    menu_->exec(event->globalPos());
    menuSample_.reset();
    actions_.Refresh();
    return true;
}

void GraphReadout::Canvas_Leave() {
    mouse_.reset();
    cursorByKeys_ = false;
    ShowCursor(std::nullopt);
}

// ---- The canvas' menu and keys ----

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
    if (document_.log().lngSampleCount > 1) emit RangeChosen(1, document_.log().lngSampleCount);
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
