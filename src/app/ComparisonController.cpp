// Comparing runs: log B loaded, dropped, and moved along the shown log.
#include "app/ComparisonController.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/ComputedItemsController.h"
#include "app/Dialogs.h"
#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "app/GraphReadout.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "graph/Comparison.h"
#include "logdata/LogLoader.h"

namespace grafolux {

ComparisonController::ComparisonController(DisplayState& shown, const FormControls& controls,
                                           Dialogs& dialogs, LogLoading& loading,
                                           GraphReadout& readout, ComputedItemsController& computed,
                                           QMenu& fileMenu, QAction* before, QWidget& window)
    : QObject(&window),
      shown_(shown),
      dialogs_(dialogs),
      loading_(loading),
      readout_(readout),
      computed_(computed),
      window_(window),
      pbGraphContents(controls.pbGraphContents) {
    mCompare = new QAction("Compare &With...", &fileMenu);
    mCompare->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    mStopComparing = new QAction("Stop Com&paring", &fileMenu);
    fileMenu.insertActions(before, {mCompare, mStopComparing});
    connect(mCompare, &QAction::triggered, this, &ComparisonController::mCompare_Click);
    connect(mStopComparing, &QAction::triggered, this, &ComparisonController::mStopComparing_Click);
    mAlign = new QAction("Align B at Marker A", pbGraphContents);
    connect(mAlign, &QAction::triggered, this, &ComparisonController::mAlign_Click);
    readout_.AddMenuAction(mAlign);
    for (QAction* action : {mCompare, mStopComparing, mAlign})
        action->setObjectName(action->text().remove('&').remove("...").simplified());
    // Before the readout's: an Alt + drag moves B, not the cursor or the canvas.
    pbGraphContents->installEventFilter(this);
    EnableActions();
}

void ComparisonController::EnableActions() {
    mCompare->setEnabled(shown_.blnFileLoaded);
    mStopComparing->setEnabled(shown_.versus.has_value());
    mAlign->setEnabled(shown_.versus.has_value() && axis_);
}

void ComparisonController::ShowNewLog() {
    if (shown_.versus)
        shown_.versus->offset = ClampOffset(shown_.versus->offset, shown_.log.lngSampleCount,
                                            shown_.versus->log.lngSampleCount);
    EnableActions();
}

void ComparisonController::ShowView(const std::optional<SampleAxis>& axis) {
    axis_ = axis;
    EnableActions();
}

void ComparisonController::ApplyComputedItems() {
    if (shown_.versus) computed_.AttachTo(shown_.versus->log);
}

void ComparisonController::mCompare_Click() {
    if (loading_.Busy() || !shown_.blnFileLoaded) return;
    const QString path = dialogs_.GetOpenFileName(
        &window_,
        QFile::decodeName((shown_.versus ? shown_.versus->path : shown_.strShownFile).c_str()),
        LogFileFilters(), 2);
    if (!path.isEmpty()) LoadComparisonLog(QFile::encodeName(path).toStdString());
}

// All or nothing: a log that fails says why, and the shown logs stay.
void ComparisonController::LoadComparisonLog(const std::string& path) {
    if (!shown_.blnFileLoaded) return;
    LoadOptions options;
    options.needsSamples = true;
    loading_.LoadOne(
        path, shown_.colors.lngItemColor, options,
        [&](LogData& loaded) {
            computed_.AttachTo(loaded);
            shown_.versus = ComparedLog{std::move(loaded), path, FileTitle(path), 0};
            EnableActions();
            emit ComparisonChanged();
        },
        [&](const LoadError& error) {
            dialogs_.Warning(&window_, "Compare With",
                             "The log could not be opened for comparison:\n" +
                                 QString::fromLocal8Bit(error.message.c_str()));
        });
}

void ComparisonController::mStopComparing_Click() {
    if (loading_.Busy() || !shown_.versus) return;
    shown_.versus.reset();
    dragX_.reset();
    EnableActions();
    emit ComparisonChanged();
}

// The sample of B to put at marker A, offered where B's current item comes nearest to A's
// value there; of many such, the one nearest to where B now lies under the marker.
void ComparisonController::mAlign_Click() {
    const auto markerA = readout_.markers().a;
    if (!shown_.versus) return;
    if (!markerA) {
        dialogs_.Information(&window_, "Align B at Marker A",
                             "Set marker A first (A on the graph): B's chosen sample goes there.");
        return;
    }
    const LogData& b = shown_.versus->log;
    const int32_t item = b.itemNamed(shown_.log.udtItems[shown_.lngCurItem].strName);
    const int32_t nearest =
        item != 0
            ? NearestValueSample(b.column(item), shown_.log.sample(shown_.lngCurItem, *markerA),
                                 int64_t{*markerA} - shown_.versus->offset)
            : 0;
    const auto chosen =
        dialogs_.GetInteger(&window_, "Align B at Marker A",
                            QString("The sample of %1 to put at marker A (sample %2):")
                                .arg(shown_.versus->title)
                                .arg(*markerA),
                            nearest != 0 ? nearest : 1, 1, b.lngSampleCount);
    if (chosen)
        SetOffset(OffsetAligning(*markerA, *chosen, shown_.log.lngSampleCount, b.lngSampleCount));
}

void ComparisonController::SetOffset(int64_t offset) {
    if (!shown_.versus) return;
    const int32_t clamped =
        ClampOffset(offset, shown_.log.lngSampleCount, shown_.versus->log.lngSampleCount);
    if (clamped == shown_.versus->offset) return;
    shown_.versus->offset = clamped;
    emit ComparisonChanged();
}

bool ComparisonController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != pbGraphContents || !shown_.versus || !axis_ || loading_.Busy())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::AltModifier)) break;
            dragX_ = mouse->globalPosition().x();
            dragOffset_ = shown_.versus->offset;
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!dragX_ || !(mouse->buttons() & Qt::LeftButton)) break;
            SetOffset(DraggedOffset(dragOffset_, mouse->globalPosition().x() - *dragX_, axis_->dx,
                                    shown_.log.lngSampleCount, shown_.versus->log.lngSampleCount));
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (!dragX_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
            dragX_.reset();
            return true;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!(key->modifiers() & Qt::AltModifier) ||
                (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right))
                break;
            SetOffset(int64_t{shown_.versus->offset} + (key->key() == Qt::Key_Left ? -1 : 1));
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace grafolux
