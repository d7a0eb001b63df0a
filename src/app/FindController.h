#pragma once
// Find: "Find…" (Ctrl+G) takes a condition in the computed items' language, "Find Next" (F3)
// and "Find Previous" (Shift+F3) put the cursor on the first sample of the next or previous run
// of samples where it holds, within the graph's range. The runs are marked along the canvas'
// bottom edge and the readout says which run the cursor is in ("run 3 of 17"); a Find that has
// nowhere to go says so over the canvas ("not found") until the view next changes. The runs are
// found once per log, range and condition.

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/Dialogs.h"
#include "graph/SampleAxis.h"
#include "views/FoundRuns.h"

class QWidget;

namespace grafolux {

class ActionRegistry;
class GraphReadout;
class LogDocument;

class FindController : public QObject {
    Q_OBJECT
public:
    FindController(LogDocument& document, ActionRegistry& actions, Dialogs& dialogs,
                   GraphReadout& readout, QWidget& window);

    // After each drawing of a view; a table view has no axis.
    void ShowView(const std::optional<SampleAxis>& axis);
    // The canvas was scrolled or dragged.
    void FollowCanvas();

private:
    // A new log: no marks until the next Find; the condition stays for it.
    void ForgetLog();
    // The shown log's items changed: the runs are found again.
    void ForgetRuns();
    void mFind_Click();
    void Find(FindDirection direction);
    // The runs for the shown log and range; false, with why, when the condition does not fit the
    // log.
    bool FindRuns();
    void ShowRuns();
    // What the last Find said goes with the next change of view.
    void ForgetNotice();
    QString Check(const QString& condition) const;

    LogDocument& document_;
    Dialogs& dialogs_;
    GraphReadout& readout_;
    QWidget& window_;

    bool active_ = false;  // its runs are shown
    std::optional<SampleAxis> axis_;
    // The runs found, and for which log (a count of changes), range and condition.
    struct Found {
        uint64_t log;
        int32_t first, last;
        QString condition;
        bool operator==(const Found&) const = default;
    };
    uint64_t logChanges_ = 0;
    std::optional<Found> foundFor_;
    std::shared_ptr<const FoundRuns> found_;
    QString fault_;   // why the condition does not fit the log, found with the runs
    QString notice_;  // what the last Find said
    std::optional<int32_t> lastFound_;  // where the last Find put the cursor
};

}  // namespace grafolux
