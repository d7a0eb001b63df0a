#pragma once
// What the window shows, in one place: log A and log B with B's offset, the computed items'
// definitions, the logs included in the tables, the tables' and the retune's choices and the
// retune's map, the sample range as typed, the Find condition, the view and the View menu's
// choices, the scatter plot's items and the histogram's bins. Its setters keep it
// valid and say what changed; the controllers read it and follow the signals that concern them.

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formula/Definitions.h"
#include "logdata/LogModel.h"
#include "plots/ScatterDrawing.h"
#include "settings/CachePreferences.h"
#include "settings/PlotPreferences.h"
#include "settings/RetunePreferences.h"
#include "settings/TablePreferences.h"
#include "settings/ViewPreferences.h"
#include "tables/FuelMap.h"
#include "views/ViewDrawing.h"
#include "views/ViewMode.h"

namespace grafolux {

// Log B of a comparison, shown over log A.
struct ComparedLog {
    LogData log;
    std::string path;    // as it was chosen
    QString title;       // its name without the folder
    int32_t offset = 0;  // its sample s lies at log A's sample s + offset
};

// A further log whose samples count in the tables and the retune, whole.
struct IncludedFile {
    std::string path;  // as it was chosen
    LogData log;
};

// The fuel map the retune view corrects.
struct RetuneMap {
    FuelMap map;
    std::string text;  // as pasted or read
    std::string path;  // the file it was opened from; empty when pasted
};

class LogDocument : public QObject {
    Q_OBJECT
public:
    explicit LogDocument(Colour itemColour, QObject* parent = nullptr);

    // ---- Log A ----
    bool loaded() const { return loaded_; }
    const LogData& log() const { return log_; }
    const std::string& shownPath() const { return shownPath_; }
    const QString& shownTitle() const { return shownTitle_; }
    // The log the file dialogs offer: the last one opened, or the newest of the recent list.
    const std::string& offeredPath() const { return offeredPath_; }
    void SetOfferedPath(std::string path) { offeredPath_ = std::move(path); }
    // The item names the dialogs offer to write, in the log's order.
    QStringList ItemNames() const;
    // The colour a new item gets.
    Colour itemColour() const { return itemColour_; }
    // Shows a loaded log: the definitions computed for it, its first item current, all of its
    // samples in range, B's offset kept where B still touches it, no included logs. With Keep
    // Items Across Logs, the items it shares by name with the log shown before keep their
    // lock, fill and colour, and the current item stays current where it has it.
    void ShowLog(LogData log, std::string path);

    int32_t currentItem() const { return currentItem_; }
    void SetCurrentItem(int32_t item);
    // With Distinct Colours for Locked Items, an item locked while it has the load colour takes
    // the next colour of the locked items' palette that no other locked item has.
    void SetLocked(int32_t item, bool locked);
    void SetFilled(int32_t item, bool filled);
    void SetItemColour(int32_t item, Colour colour);

    // ---- Log B ----
    const std::optional<ComparedLog>& versus() const { return versus_; }
    // B as the views read it; none without B.
    std::optional<VersusLog> versusLog() const;
    void Compare(LogData log, std::string path);
    void StopComparing();
    // Kept where B still touches A.
    void SetOffset(int64_t offset);

    // ---- The computed items ----
    const std::vector<std::string>& definitionTexts() const { return definitionTexts_; }
    const std::vector<Definition>& definitions() const { return definitions_; }
    // A list that parses (of at most kMaxDefinitions) becomes the logs' computed items, the
    // current item kept; false, changing nothing, for any other.
    bool SetDefinitions(std::vector<std::string> texts);

    // ---- The tables ----
    const TablePreferences& tableChoices() const { return tableChoices_; }
    void SetTableChoices(TablePreferences choices);
    // The cells show B − A; only while B is there.
    bool difference() const { return difference_ && versus_.has_value(); }
    void SetDifference(bool on);
    const std::vector<IncludedFile>& includedLogs() const { return included_; }
    void SetIncludedLogs(std::vector<IncludedFile> logs);
    void AddIncludedLogs(std::vector<IncludedFile> logs);
    // The items an included log keeps for the tables, the retune, the filters, the scatter plot
    // and the histogram shown, with the definitions that compute the ones it does not log.
    ItemsNeeded ItemsIncludedLogsKeep() const;
    // What the tables pool and how they look.
    TableSettings tableSettings() const;

    // ---- The retune ----
    const RetunePreferences& retuneChoices() const { return retuneChoices_; }
    // False, changing nothing, for settings a retune does not take.
    bool SetRetuneChoices(RetunePreferences choices);
    const std::optional<RetuneMap>& retuneMap() const { return retuneMap_; }
    void SetRetuneMap(RetuneMap map);

    // ---- The sample range, as typed in the boxes ----
    const std::string& firstText() const { return firstText_; }
    const std::string& lastText() const { return lastText_; }
    void TypeRange(std::string first, std::string last);
    // The range as typed is entered: the views show it when it is one they can show.
    void EnterRange();

    // ---- Find ----
    const QString& findCondition() const { return findCondition_; }
    void SetFindCondition(QString condition);

    // ---- The view ----
    ViewMode viewMode() const { return viewMode_; }
    void SetViewMode(ViewMode mode);
    // The view to be drawn (again, when it is the one shown).
    void ShowView(ViewMode mode);
    double zoom() const { return zoom_; }
    void SetZoom(double zoom);
    // Where the graph is scrolled to, kept across its drawings.
    int32_t scrollPos() const { return scrollPos_; }
    void SetScrollPos(int32_t position) { scrollPos_ = position; }

    // ---- The View menu's choices ----
    const ViewPreferences& viewChoices() const { return viewChoices_; }
    void SetViewChoices(ViewPreferences choices);
    // Whether logs are reopened from the cache, and its size limit.
    const CachePreferences& cacheChoices() const { return cacheChoices_; }
    void SetCacheChoices(CachePreferences choices);
    // The scatter plot's items and the histogram's bins (held to 1 … kMostHistogramBins).
    const PlotPreferences& plotChoices() const { return plotChoices_; }
    void SetPlotChoices(PlotPreferences choices);
    ScatterItems scatterItems() const;

signals:
    void LogShown();
    void CurrentItemChanged(int32_t item);
    void ItemLockChanged(int32_t item, bool locked);
    // The current item's fill or colour: its curve looks otherwise.
    void ItemLookChanged(int32_t item);
    // B came, went or moved.
    void ComparisonChanged();
    // The definitions, and with them the items of every log shown.
    void DefinitionsChanged();
    void TableChoicesChanged(const TablePreferences& choices);
    void DifferenceChanged(bool on);
    void IncludedLogsChanged();
    void RetuneChoicesChanged(const RetunePreferences& choices);
    void RetuneMapChanged();
    void RangeEntered();
    void ViewModeChanged(ViewMode mode);
    void ViewWanted(ViewMode mode);
    void ZoomChanged(double zoom);
    void ViewChoicesChanged(const ViewPreferences& choices);
    void CacheChoicesChanged(const CachePreferences& choices);
    void PlotChoicesChanged(const PlotPreferences& choices);
    // A log's computed items could not be made for want of memory; it keeps the items it had.
    void ItemsNotComputed();

private:
    void AttachDefinitions(LogData& log);
    // The looks of the shown log's items on those of `log` with the same names; the current
    // item's number in `log`, 1 where it has no item of that name.
    int32_t KeepItemLooks(LogData& log) const;

    Colour itemColour_;
    bool loaded_ = false;
    LogData log_;
    std::string shownPath_, offeredPath_;
    QString shownTitle_;
    int32_t currentItem_ = 1;
    std::optional<ComparedLog> versus_;
    std::vector<std::string> definitionTexts_;
    std::vector<Definition> definitions_;
    TablePreferences tableChoices_;
    bool difference_ = false;
    std::vector<IncludedFile> included_;
    RetunePreferences retuneChoices_;
    std::optional<RetuneMap> retuneMap_;
    std::string firstText_, lastText_;
    QString findCondition_;
    ViewMode viewMode_ = ViewMode::None;
    double zoom_ = 1.0;
    int32_t scrollPos_ = 0;
    ViewPreferences viewChoices_;
    CachePreferences cacheChoices_;
    PlotPreferences plotChoices_;
};

}  // namespace grafolux
