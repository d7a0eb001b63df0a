#pragma once
// The window's Table menu: the statistic a cell shows, the minimum samples, the sample filters
// and colouring, further logs whose samples count in the tables (loaded again when they must
// keep other items), the difference B − A, and the shown table out through the clipboard or a
// file.

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "app/LogDocument.h"
#include "views/ViewDrawing.h"
#include "views/ViewMode.h"

class QWidget;

namespace grafolux {

class ActionRegistry;
class Dialogs;
class LogLoading;

class TableMenu : public QObject {
    Q_OBJECT
public:
    TableMenu(LogDocument& document, ActionRegistry& actions, Dialogs& dialogs, LogLoading& loading,
              QWidget& window);

private:
    void SetStatistic(CellStatistic statistic);
    ShownCells ShownTable(TableKind kind) const;
    // Loads the logs, each on its own, all or nothing: those that load, with the items the
    // tables and the retune read; the others are named with the reason. Nothing while another
    // load runs.
    std::optional<std::vector<IncludedFile>> LoadIncludedLogs(
        const std::vector<std::string>& paths);
    // The included logs again, when they must keep other items or compute other definitions.
    void ReloadIncludedLogs(bool always);
    void mMinSamples_Click();
    void mFilter_Click();
    void mInclude_Click();
    void mCopyTable_Click();
    void mCopyCommand_Click();
    void mSaveTable_Click();

    LogDocument& document_;
    Dialogs& dialogs_;
    LogLoading& loading_;
    QWidget& window_;
    std::vector<std::string> includedItems_;  // the items the included logs were loaded with
    QString strTableFileName;
};

}  // namespace grafolux
