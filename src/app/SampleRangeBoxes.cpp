#include "app/SampleRangeBoxes.h"

#include <QFocusEvent>
#include <QLineEdit>

#include "app/DisplayState.h"
#include "app/FormControls.h"
#include "views/SampleRange.h"

namespace grafolux {

namespace {

// A range box is normalised when the focus moves to another control of the window, not when a
// menu or popup opens or another application is switched to.
bool LeavesForAnotherControl(const QEvent& event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

}  // namespace

SampleRangeBoxes::SampleRangeBoxes(DisplayState& shown, const FormControls& c, QObject* parent)
    : QObject(parent), shown_(shown), tbFirst(c.tbFirst), tbLast(c.tbLast) {
    connect(tbFirst, &QLineEdit::textChanged, this,
            [this](const QString& text) { shown_.firstText = text.toUtf8().toStdString(); });
    connect(tbLast, &QLineEdit::textChanged, this,
            [this](const QString& text) { shown_.lastText = text.toUtf8().toStdString(); });
    connect(tbFirst, &QLineEdit::returnPressed, this, &SampleRangeBoxes::tbFirst_LostFocus);
    connect(tbLast, &QLineEdit::returnPressed, this, &SampleRangeBoxes::tbLast_LostFocus);
    tbFirst->installEventFilter(this);
    tbLast->installEventFilter(this);
}

bool SampleRangeBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && LeavesForAnotherControl(*event)) {
        if (watched == tbFirst) tbFirst_LostFocus();
        if (watched == tbLast) tbLast_LostFocus();
    }
    return QObject::eventFilter(watched, event);
}

void SampleRangeBoxes::ShowWholeLog() {
    tbFirst->setText("1");
    tbLast->setText(QString::number(shown_.log.lngSampleCount));
}

void SampleRangeBoxes::ShowRange(int32_t first, int32_t last) {
    tbFirst->setText(QString::number(first));
    tbLast->setText(QString::number(last));
    tbLast_LostFocus();
}

void SampleRangeBoxes::tbFirst_LostFocus() {
    if (!tbFirst->isEnabled()) return;
    tbFirst->setText(QString::fromStdString(NormalizeFirst(shown_.firstText, shown_.lastText)));
    ApplySampleRange();
}

void SampleRangeBoxes::tbLast_LostFocus() {
    if (!tbLast->isEnabled()) return;
    tbLast->setText(QString::fromStdString(
        NormalizeLast(shown_.lastText, shown_.firstText, shown_.log.lngSampleCount)));
    ApplySampleRange();
}

void SampleRangeBoxes::ApplySampleRange() {
    if (IsValidRange(shown_.firstText, shown_.lastText, shown_.log.lngSampleCount))
        emit RangeEntered();
}

}  // namespace grafolux
