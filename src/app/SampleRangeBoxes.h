#pragma once
// The sample range boxes: what is typed in them is the document's range, which the views read;
// Enter, or the focus moving to another control of the window, puts it right and enters it.
// Enter also gives the keyboard back to the canvas, so that Ctrl+C and Ctrl+V act on the view.

#include <QObject>
#include <cstdint>

class QLineEdit;
class QWidget;

namespace grafolux {

class LogDocument;
struct FormControls;

class SampleRangeBoxes : public QObject {
    Q_OBJECT
public:
    SampleRangeBoxes(LogDocument& document, const FormControls& controls, QObject* parent);

    // As typing the numbers into the boxes and pressing Enter would.
    void ShowRange(int32_t first, int32_t last);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tbFirst_LostFocus();
    void tbLast_LostFocus();
    void Box_Enter(QLineEdit* box);

    LogDocument& document_;
    QLineEdit *tbFirst, *tbLast;
    QWidget* canvas_;
    bool entering_ = false;  // Enter has put the box right: its loss of focus does not again
};

}  // namespace grafolux
