#pragma once
// Comparing runs: a second log (B) loaded beside the shown one (A) and drawn over it, moved
// along it by an offset in samples (Alt + drag, Alt+Left/Right, or aligned at marker A).

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>

#include "graph/SampleAxis.h"

class QWidget;

namespace grafolux {

class ActionRegistry;
class Dialogs;
class GraphReadout;
class LogDocument;
class LogLoading;
class PictureBox;
struct FormControls;

class ComparisonController : public QObject {
    Q_OBJECT
public:
    ComparisonController(LogDocument& document, const FormControls& controls,
                         ActionRegistry& actions, Dialogs& dialogs, LogLoading& loading,
                         GraphReadout& readout, QWidget& window);

    // After each drawing of a view; a table view has no axis.
    void ShowView(const std::optional<SampleAxis>& axis);

    void LoadComparisonLog(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mCompare_Click();
    void mStopComparing_Click();
    void mAlign_Click();

    LogDocument& document_;
    ActionRegistry& actions_;
    Dialogs& dialogs_;
    LogLoading& loading_;
    GraphReadout& readout_;
    QWidget& window_;
    PictureBox* pbGraphContents;
    std::optional<SampleAxis> axis_;
    std::optional<double> dragX_;  // where an Alt + drag began, in pixels
    int32_t dragOffset_ = 0;       // the offset it began with
};

}  // namespace grafolux
