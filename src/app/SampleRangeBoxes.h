#pragma once
// The sample range boxes: what is typed in them is the range the views read; Enter, or the
// focus moving to another control of the window, puts it right and applies it.

#include <QObject>
#include <cstdint>

class QLineEdit;

namespace grafolux {

struct DisplayState;
struct FormControls;

class SampleRangeBoxes : public QObject {
    Q_OBJECT
public:
    SampleRangeBoxes(DisplayState& shown, const FormControls& controls, QObject* parent);

    // A new log: all of its samples.
    void ShowWholeLog();
    // As typing the numbers into the boxes and pressing Enter would.
    void ShowRange(int32_t first, int32_t last);

signals:
    // The boxes hold a range the views can show.
    void RangeEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tbFirst_LostFocus();
    void tbLast_LostFocus();
    void ApplySampleRange();

    DisplayState& shown_;
    QLineEdit *tbFirst, *tbLast;
};

}  // namespace grafolux
