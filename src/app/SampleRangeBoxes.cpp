#include "app/SampleRangeBoxes.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/FormControls.h"
#include "app/LogDocument.h"
#include "app/PictureBox.h"
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

SampleRangeBoxes::SampleRangeBoxes(LogDocument& document, const FormControls& c, QObject* parent)
    : QObject(parent),
      document_(document),
      tbFirst(c.tbFirst),
      tbLast(c.tbLast),
      canvas_(c.pbGraphContents) {
    const auto typed = [this] {
        document_.TypeRange(tbFirst->text().toUtf8().toStdString(),
                            tbLast->text().toUtf8().toStdString());
    };
    connect(tbFirst, &QLineEdit::textChanged, this, typed);
    connect(tbLast, &QLineEdit::textChanged, this, typed);
    connect(tbFirst, &QLineEdit::returnPressed, this, [this] { Box_Enter(tbFirst); });
    connect(tbLast, &QLineEdit::returnPressed, this, [this] { Box_Enter(tbLast); });
    tbFirst->installEventFilter(this);
    tbLast->installEventFilter(this);
    // A new log shows all of its samples.
    connect(&document, &LogDocument::LogShown, this, [this] {
        // Each box's text goes to the document as it is set: both are read first.
        const QString first = QString::fromStdString(document_.firstText());
        const QString last = QString::fromStdString(document_.lastText());
        tbFirst->setText(first);
        tbLast->setText(last);
    });
}

bool SampleRangeBoxes::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+C in a box with nothing selected would copy nothing and leave the clipboard as it
    // was: the view's copy takes it.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        !static_cast<QLineEdit*>(watched)->hasSelectedText())
        return true;
    if (event->type() == QEvent::FocusOut && !entering_ && LeavesForAnotherControl(*event)) {
        if (watched == tbFirst) tbFirst_LostFocus();
        if (watched == tbLast) tbLast_LostFocus();
    }
    return QObject::eventFilter(watched, event);
}

void SampleRangeBoxes::Box_Enter(QLineEdit* box) {
    if (box == tbFirst)
        tbFirst_LostFocus();
    else
        tbLast_LostFocus();
    entering_ = true;
    canvas_->setFocus(Qt::OtherFocusReason);
    entering_ = false;
}

void SampleRangeBoxes::ShowRange(int32_t first, int32_t last) {
    tbFirst->setText(QString::number(first));
    tbLast->setText(QString::number(last));
    tbLast_LostFocus();
}

void SampleRangeBoxes::tbFirst_LostFocus() {
    if (!tbFirst->isEnabled()) return;
    tbFirst->setText(
        QString::fromStdString(NormalizeFirst(document_.firstText(), document_.lastText())));
    document_.EnterRange();
}

void SampleRangeBoxes::tbLast_LostFocus() {
    if (!tbLast->isEnabled()) return;
    tbLast->setText(QString::fromStdString(NormalizeLast(
        document_.lastText(), document_.firstText(), document_.log().lngSampleCount)));
    document_.EnterRange();
}

}  // namespace grafolux
