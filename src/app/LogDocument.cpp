#include "app/LogDocument.h"

#include <algorithm>
#include <new>
#include <variant>

#include "draw/DisplayText.h"
#include "draw/LockColours.h"
#include "files/FileChecks.h"
#include "formula/ComputedItems.h"
#include "graph/Comparison.h"
#include "graph/ZoomMath.h"
#include "plots/Histogram.h"
#include "settings/DefinitionPreferences.h"
#include "tables/PooledTable.h"
#include "tables/RetuneLogs.h"
#include "views/SampleRange.h"

namespace grafolux {

LogDocument::LogDocument(Colour itemColour, QObject* parent)
    : QObject(parent), itemColour_(itemColour) {}

QStringList LogDocument::ItemNames() const {
    QStringList names;
    for (int32_t k = 1; k <= log_.lngItemCount; ++k) names << DisplayText(log_.udtItems[k].strName);
    return names;
}

void LogDocument::AttachDefinitions(LogData& log) {
    try {
        AttachComputedItems(log, definitions_, itemColour_);
    } catch (const std::bad_alloc&) {
        emit ItemsNotComputed();
    }
}

void LogDocument::ShowLog(LogData log, std::string path) {
    AttachDefinitions(log);
    const int32_t current =
        loaded_ && viewChoices_.keepItemsAcrossLogs ? KeepItemLooks(log) : int32_t{1};
    log_ = std::move(log);
    loaded_ = true;
    shownTitle_ = FileTitle(path);
    shownPath_ = std::move(path);
    currentItem_ = current;
    TypeRange(std::string(1, '1'), std::to_string(log_.lngSampleCount));
    included_.clear();
    if (versus_)
        versus_->offset =
            ClampOffset(versus_->offset, log_.lngSampleCount, versus_->log.lngSampleCount);
    emit LogShown();
}

int32_t LogDocument::KeepItemLooks(LogData& log) const {
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        ItemInfo& item = log.udtItems[k];
        if (const int32_t before = log_.itemNamed(item.strName)) {
            const ItemInfo& kept = log_.udtItems[before];
            item.blnLocked = kept.blnLocked;
            item.blnFilled = kept.blnFilled;
            item.colour = kept.colour;
        }
    }
    return std::max(log.itemNamed(log_.udtItems[currentItem_].strName), int32_t{1});
}

void LogDocument::SetCurrentItem(int32_t item) {
    if (item < 1 || item > log_.lngItemCount) return;
    currentItem_ = item;
    emit CurrentItemChanged(item);
}

void LogDocument::SetLocked(int32_t item, bool locked) {
    if (item < 1 || item > log_.lngItemCount) return;
    ItemInfo& info = log_.udtItems[item];
    info.blnLocked = locked;
    emit ItemLockChanged(item, locked);
    if (!locked || !viewChoices_.distinctLockColours || info.colour != itemColour_) return;
    std::vector<Colour> taken;
    for (int32_t k = 1; k <= log_.lngItemCount; ++k)
        if (k != item && log_.udtItems[k].blnLocked) taken.push_back(log_.udtItems[k].colour);
    SetItemColour(item, DistinctLockColour(taken));
}

void LogDocument::SetFilled(int32_t item, bool filled) {
    if (item < 1 || item > log_.lngItemCount) return;
    log_.udtItems[item].blnFilled = filled;
    emit ItemLookChanged(item);
}

void LogDocument::SetItemColour(int32_t item, Colour colour) {
    if (item < 1 || item > log_.lngItemCount) return;
    log_.udtItems[item].colour = colour;
    emit ItemLookChanged(item);
}

void LogDocument::Compare(LogData log, std::string path) {
    AttachDefinitions(log);
    const QString title = FileTitle(path);
    versus_ = ComparedLog{std::move(log), std::move(path), title, 0};
    emit ComparisonChanged();
}

std::optional<VersusLog> LogDocument::versusLog() const {
    if (!versus_) return std::nullopt;
    return VersusLog{versus_->title, versus_->path, &versus_->log};
}

void LogDocument::StopComparing() {
    if (!versus_) return;
    versus_.reset();
    difference_ = false;
    emit ComparisonChanged();
}

void LogDocument::SetOffset(int64_t offset) {
    if (!versus_) return;
    const int32_t clamped = ClampOffset(offset, log_.lngSampleCount, versus_->log.lngSampleCount);
    if (clamped == versus_->offset) return;
    versus_->offset = clamped;
    emit ComparisonChanged();
}

bool LogDocument::SetDefinitions(std::vector<std::string> texts) {
    if (texts.size() > size_t{kMaxDefinitions}) return false;
    auto parsed = ParseDefinitions(texts);
    if (std::holds_alternative<FormulaError>(parsed)) return false;
    definitionTexts_ = std::move(texts);
    definitions_ = std::get<std::vector<Definition>>(std::move(parsed));
    if (loaded_) {
        // A computed current item stays current where the new list still has it.
        const bool computed = currentItem_ > log_.loggedItemCount();
        const std::string current = log_.udtItems[currentItem_].strName;
        AttachDefinitions(log_);
        if (computed) {
            const int32_t k = log_.itemNamed(current);
            currentItem_ = k > log_.loggedItemCount() ? k : 1;
        }
    }
    if (versus_) AttachDefinitions(versus_->log);
    emit DefinitionsChanged();
    return true;
}

void LogDocument::SetTableChoices(TablePreferences choices) {
    choices.look.show.minCount = std::max(choices.look.show.minCount, 1);
    tableChoices_ = std::move(choices);
    emit TableChoicesChanged(tableChoices_);
}

void LogDocument::SetDifference(bool on) {
    difference_ = on;
    emit DifferenceChanged(difference());
}

void LogDocument::SetIncludedLogs(std::vector<IncludedFile> logs) {
    included_ = std::move(logs);
    emit IncludedLogsChanged();
}

void LogDocument::AddIncludedLogs(std::vector<IncludedFile> logs) {
    for (IncludedFile& file : logs) included_.push_back(std::move(file));
    emit IncludedLogsChanged();
}

ItemsNeeded LogDocument::ItemsIncludedLogsKeep() const {
    std::vector<std::string> items =
        ItemsReadByTablesAndRetune(retuneChoices_.factor, tableChoices_.conditions);
    // The plots' items, and the histogram's while it shows.
    std::vector<std::string> plotted = {plotChoices_.x, plotChoices_.y, plotChoices_.colour};
    if (viewMode_ == ViewMode::Histogram && loaded_)
        plotted.push_back(log_.udtItems[static_cast<size_t>(currentItem_)].strName);
    for (std::string& name : plotted)
        if (!name.empty() && std::find(items.begin(), items.end(), name) == items.end())
            items.push_back(std::move(name));
    return ItemsNeededFor(definitions_, std::move(items));
}

TableSettings LogDocument::tableSettings() const {
    TableSettings settings{tableChoices_.look, tableChoices_.conditions, shownTitle_, {}, {}};
    for (const IncludedFile& file : included_)
        settings.included.push_back(
            {FileTitle(file.path), file.path, &file.log, SameFile(file.path, shownPath_)});
    if (difference()) settings.versus = versusLog();
    return settings;
}

bool LogDocument::SetRetuneChoices(RetunePreferences choices) {
    if (RetuneSettingsError(choices.settings)) return false;
    retuneChoices_ = std::move(choices);
    emit RetuneChoicesChanged(retuneChoices_);
    return true;
}

void LogDocument::SetRetuneMap(RetuneMap map) {
    retuneMap_ = std::move(map);
    emit RetuneMapChanged();
}

void LogDocument::TypeRange(std::string first, std::string last) {
    firstText_ = std::move(first);
    lastText_ = std::move(last);
}

void LogDocument::EnterRange() {
    if (IsValidRange(firstText_, lastText_, log_.lngSampleCount)) emit RangeEntered();
}

void LogDocument::SetFindCondition(QString condition) { findCondition_ = condition.trimmed(); }

void LogDocument::SetViewMode(ViewMode mode) {
    if (mode == viewMode_) return;
    viewMode_ = mode;
    emit ViewModeChanged(mode);
}

void LogDocument::ShowView(ViewMode mode) {
    if (!loaded_) return;
    emit ViewWanted(mode);
}

void LogDocument::SetViewChoices(ViewPreferences choices) {
    viewChoices_ = choices;
    emit ViewChoicesChanged(viewChoices_);
}

void LogDocument::SetCacheChoices(CachePreferences choices) {
    cacheChoices_ = choices;
    emit CacheChoicesChanged(cacheChoices_);
}

ScatterItems LogDocument::scatterItems() const {
    const PlotPreferences& choices = plotChoices_;
    return {choices.x, choices.y,
            choices.colour.empty() ? std::nullopt : std::optional<std::string>(choices.colour)};
}

void LogDocument::SetPlotChoices(PlotPreferences choices) {
    choices.bins = std::clamp(choices.bins, 1, kMostHistogramBins);
    plotChoices_ = std::move(choices);
    emit PlotChoicesChanged(plotChoices_);
}

void LogDocument::SetZoom(double zoom) {
    zoom_ = ClampZoom(zoom);
    emit ZoomChanged(zoom_);
}

}  // namespace grafolux
