// Comparing runs: log B loaded, dropped, and moved along the shown log.
#include "app/ComparisonController.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/Dialogs.h"
#include "app/FormControls.h"
#include "app/GraphReadout.h"
#include "app/LogDocument.h"
#include "app/LogLoading.h"
#include "app/PictureBox.h"
#include "app/WindowActions.h"
#include "graph/Comparison.h"
#include "logdata/LogLoader.h"

namespace grafolux {

ComparisonController::ComparisonController(LogDocument& document, const FormControls& controls,
                                           ActionRegistry& actions, Dialogs& dialogs,
                                           LogLoading& loading, GraphReadout& readout,
                                           QWidget& window)
    : QObject(&window),
      document_(document),
      actions_(actions),
      dialogs_(dialogs),
      loading_(loading),
      readout_(readout),
      window_(window),
      pbGraphContents(controls.pbGraphContents) {
    actions.Bind(ActionId::CompareWith, [this] { mCompare_Click(); });
    actions.Bind(ActionId::StopComparing, [this] { mStopComparing_Click(); });
    actions.Bind(
        ActionId::AlignB, [this] { mAlign_Click(); },
        [this] { return document_.versus().has_value() && axis_.has_value(); });
    // Before the readout's: an Alt + drag moves B, not the cursor or the canvas.
    pbGraphContents->installEventFilter(this);
}

void ComparisonController::ShowView(const std::optional<SampleAxis>& axis) {
    axis_ = axis;
    actions_.Refresh();
}

void ComparisonController::mCompare_Click() {
    if (loading_.Busy() || !document_.loaded()) return;
    const auto& versus = document_.versus();
    const QString path = dialogs_.GetOpenFileName(
        &window_, QFile::decodeName((versus ? versus->path : document_.shownPath()).c_str()),
        LogFileFilters(), 2);
    if (!path.isEmpty()) LoadComparisonLog(QFile::encodeName(path).toStdString());
}

// All or nothing: a log that fails says why, and the shown logs stay.
void ComparisonController::LoadComparisonLog(const std::string& path) {
    if (!document_.loaded()) return;
    LoadOptions options;
    options.needsSamples = true;
    loading_.LoadOne(
        path, document_.itemColour(), options,
        [&](LogData& loaded) { document_.Compare(std::move(loaded), path); },
        [&](const LoadError& error) {
            dialogs_.Warning(&window_, "Compare With",
                             "The log could not be opened for comparison:\n" +
                                 QString::fromLocal8Bit(error.message.c_str()));
        });
}

void ComparisonController::mStopComparing_Click() {
    if (loading_.Busy() || !document_.versus()) return;
    dragX_.reset();
    document_.StopComparing();
}

// The sample of B to put at marker A, offered where B's current item comes nearest to A's
// value there; of many such, the one nearest to where B now lies under the marker.
void ComparisonController::mAlign_Click() {
    const auto markerA = readout_.markers().a;
    const auto& versus = document_.versus();
    if (!versus) return;
    if (!markerA) {
        dialogs_.Information(&window_, "Align B at Marker A",
                             "Set marker A first (A on the graph): B's chosen sample goes there.");
        return;
    }
    const LogData& a = document_.log();
    const LogData& b = versus->log;
    const int32_t current = document_.currentItem();
    const int32_t item = b.itemNamed(a.udtItems[current].strName);
    const int32_t nearest =
        item != 0 ? NearestValueSample(*b.wholeColumn(item), a.sample(current, *markerA),
                                       int64_t{*markerA} - versus->offset)
                  : 0;
    const auto chosen =
        dialogs_.GetInteger(&window_, "Align B at Marker A",
                            QString("The sample of %1 to put at marker A (sample %2):")
                                .arg(versus->title)
                                .arg(*markerA),
                            nearest != 0 ? nearest : 1, 1, b.lngSampleCount);
    if (chosen)
        document_.SetOffset(OffsetAligning(*markerA, *chosen, a.lngSampleCount, b.lngSampleCount));
}

bool ComparisonController::eventFilter(QObject* watched, QEvent* event) {
    const auto& versus = document_.versus();
    if (watched != pbGraphContents || !versus || !axis_ || loading_.Busy())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::AltModifier)) break;
            dragX_ = mouse->globalPosition().x();
            dragOffset_ = versus->offset;
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!dragX_ || !(mouse->buttons() & Qt::LeftButton)) break;
            document_.SetOffset(DraggedOffset(dragOffset_, mouse->globalPosition().x() - *dragX_,
                                              axis_->dx, document_.log().lngSampleCount,
                                              versus->log.lngSampleCount));
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
            document_.SetOffset(int64_t{versus->offset} + (key->key() == Qt::Key_Left ? -1 : 1));
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace grafolux
