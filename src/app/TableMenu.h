#pragma once
// The window's Table menu and what it chose: the statistic a cell shows, the minimum samples,
// the sample filters and colouring (kept in the preferences file), further logs whose samples
// count in the tables, and the shown table out through the clipboard or a file.

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "formula/Definitions.h"
#include "logdata/LogModel.h"
#include "settings/TablePreferences.h"
#include "views/ViewDrawing.h"
#include "views/ViewMode.h"

class QAction;
class QMainWindow;
class QMenu;

namespace grafolux {

class Dialogs;
class LogLoading;
struct DisplayState;

class TableMenu : public QObject {
    Q_OBJECT
public:
    // Adds the menu to `window`'s menu bar.
    TableMenu(const DisplayState& shown, Dialogs& dialogs, LogLoading& loading,
              QMainWindow& window);

    // The preferences kept beside the settings file.
    void LoadPreferences(const std::string& settingsFile);
    void EnableTableMenu(bool loaded);
    // The table's numbers go out from a table view only.
    void ShowViewMode(ViewMode mode);
    // A new log starts on its own.
    void ForgetIncludedLogs();
    // The computed items' definitions, for the further logs: those the tables read are computed
    // there too.
    void SetDefinitions(std::vector<Definition> definitions);

    // Items the included logs keep beyond those the tables read (the retune's factor).
    void SetFurtherItems(std::vector<std::string> items);
    // What "Copy Command" copies in the retune view.
    void SetRetuneCommand(std::function<QString()> command);
    // Puts the text on the clipboard, or says that it could not.
    void CopyText(const QString& title, const QString& what, const QString& text);

    TableSettings TableSettingsNow() const;
    QMenu& menu() const { return *mTable; }
    const TablePreferences& preferences() const { return tablePrefs_; }
    size_t includedLogCount() const { return included_.size(); }

signals:
    // What a table view shows has changed.
    void SettingsChanged();

private:
    void SetTablePreferences(const TablePreferences& preferences);
    ShownCells ShownTable(TableKind kind) const;
    void LoadIncludedLogs(const std::vector<std::string>& paths);
    void ReloadIncludedLogs();
    void mStatistic_Click(CellStatistic statistic);
    void mMinSamples_Click();
    void mFilter_Click();
    void mColour_Click();
    void mInclude_Click();
    void mOnlyThisLog_Click();
    void mDifference_Click();
    void mCopyTable_Click();
    void mCopyCommand_Click();
    void mSaveTable_Click();

    const DisplayState& shown_;
    Dialogs& dialogs_;
    LogLoading& loading_;
    QMainWindow& window_;

    struct IncludedFile {
        std::string path;
        LogData log;
    };
    TablePreferences tablePrefs_;
    std::vector<Definition> definitions_;
    std::vector<std::string> furtherItems_;
    std::function<QString()> retuneCommand_;
    std::string strPreferencesFile;
    std::vector<IncludedFile> included_;
    QString strTableFileName;

    QMenu* mTable;
    std::vector<QAction*> mStatistic;  // in the order of CellStatistic
    QAction *mMinSamples, *mFilter, *mColour, *mInclude, *mOnlyThisLog, *mDifference, *mCopyTable,
        *mCopyCommand, *mSaveTable;
};

}  // namespace grafolux
