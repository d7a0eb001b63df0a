#pragma once
// Comparing runs: a second log (B) loaded beside the shown one (A) and drawn over it, moved
// along it by an offset in samples (Alt + drag, Alt+Left/Right, or aligned at marker A).

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>

#include "graph/SampleAxis.h"

class QAction;
class QMenu;
class QWidget;

namespace grafolux {

class ComputedItemsController;
class Dialogs;
class GraphReadout;
class LogLoading;
class PictureBox;
struct DisplayState;
struct FormControls;

class ComparisonController : public QObject {
    Q_OBJECT
public:
    // Adds "Compare With..." and "Stop Comparing" to `fileMenu` before `before`, and "Align B
    // at Marker A" to the canvas' menu.
    ComparisonController(DisplayState& shown, const FormControls& controls, Dialogs& dialogs,
                         LogLoading& loading, GraphReadout& readout,
                         ComputedItemsController& computed, QMenu& fileMenu, QAction* before,
                         QWidget& window);

    // A log is shown: B may be compared with it; its offset is kept where B still touches it.
    void ShowNewLog();
    // After each drawing of a view; a table view has no axis.
    void ShowView(const std::optional<SampleAxis>& axis);
    // The computed items changed: B computes them as the shown log does.
    void ApplyComputedItems();

    void LoadComparisonLog(const std::string& path);

signals:
    // B came, went or moved: the caption, the Table menu and the view follow.
    void ComparisonChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mCompare_Click();
    void mStopComparing_Click();
    void mAlign_Click();
    void SetOffset(int64_t offset);
    void EnableActions();

    DisplayState& shown_;
    Dialogs& dialogs_;
    LogLoading& loading_;
    GraphReadout& readout_;
    ComputedItemsController& computed_;
    QWidget& window_;
    PictureBox* pbGraphContents;
    std::optional<SampleAxis> axis_;
    std::optional<double> dragX_;  // where an Alt + drag began, in pixels
    int32_t dragOffset_ = 0;       // the offset it began with
    QAction *mCompare, *mStopComparing, *mAlign;
};

}  // namespace grafolux
