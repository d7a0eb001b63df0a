#include "app/LogLoading.h"

#include <QProgressBar>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/EventPump.h"
#include "logcache/CachedLoad.h"
#include "settings/CachePreferences.h"
#include "settings/PreferencesFile.h"

namespace grafolux {

namespace {

// Read at every load, so that a choice changed meanwhile holds for the next one.
CacheChoices ChosenCache(const std::string& preferencesFile) {
    const CachePreferences preferences = LoadCachePreferences(preferencesFile);
    return CacheChoicesFor(preferences.bypass, preferences.limit);
}

}  // namespace

LogLoading::LogLoading(QWidget& window, QProgressBar& bar)
    : QObject(&window), window_(window), bar_(bar) {}

void LogLoading::LoadPreferences(const std::string& settingsFile) {
    strPreferencesFile = PreferencesFilePath(settingsFile);
}

bool LogLoading::PostponeClose() {
    if (busy_) closeAfter_ = true;
    return busy_;
}

bool LogLoading::Run(const std::function<void(const LoadProgress&)>& load,
                     const std::function<void()>& done) {
    if (busy_) return false;
    bar_.setEnabled(true);
    bar_.setMinimum(0);
    bar_.setValue(0);
    busy_ = true;
    EventPump pump;
    load([&](int64_t doneSoFar, int64_t total) {
        if (pump.Due()) ShowProgress(doneSoFar, total);
    });
    busy_ = false;
    ShowIdle();
    done();
    // The load's own frame was still on the stack when the window was closed.
    if (std::exchange(closeAfter_, false)) window_.close();
    return true;
}

bool LogLoading::LoadOne(const std::string& path, Colour itemColour, const LoadOptions& options,
                         const std::function<void(LogData&)>& loaded,
                         const std::function<void(const LoadError&)>& failed) {
    LoadResult result;
    return Run(
        [&](const LoadProgress& progress) {
            result = OpenLog(path, itemColour, progress, options, ChosenCache(strPreferencesFile));
        },
        [&] {
            if (auto* log = std::get_if<LogData>(&result))
                loaded(*log);
            else if (failed)
                failed(std::get<LoadError>(result));
        });
}

bool LogLoading::LoadMany(const std::vector<std::string>& paths, Colour itemColour,
                          const LoadOptions& options,
                          const std::function<void(std::vector<LoadResult>&)>& done) {
    std::vector<LoadResult> results;
    return Run(
        [&](const LoadProgress& progress) {
            results =
                OpenLogs(paths, itemColour, options, progress, ChosenCache(strPreferencesFile));
        },
        [&] { done(results); });
}

void LogLoading::ShowProgress(int64_t done, int64_t total) {
    bar_.setMaximum(static_cast<int>(std::min<int64_t>(total, INT32_MAX)));
    bar_.setValue(static_cast<int>(std::min<int64_t>(done, INT32_MAX)));
    EventPump::Pump();
}

// Between loads the bar is disabled at 0 of a real range: a load that ended while the bar
// still showed "busy" (no total known yet) must not leave it moving.
void LogLoading::ShowIdle() {
    bar_.setRange(0, 1);
    bar_.setValue(0);
    bar_.setEnabled(false);
}

}  // namespace grafolux
