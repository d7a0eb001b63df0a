#include "app/LogLoading.h"

#include <QProgressBar>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/EventPump.h"
#include "app/LogDocument.h"

namespace grafolux {

LogLoading::LogLoading(const LogDocument& document, QWidget& window, QProgressBar& bar)
    : QObject(&window), document_(document), window_(window), bar_(bar) {}

CacheChoices LogLoading::ChosenCache() const {
    const CachePreferences& choices = document_.cacheChoices();
    return CacheChoicesFor(choices.bypass, choices.limit);
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
            result = OpenLog(path, itemColour, progress, options, ChosenCache());
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
            results = OpenLogs(paths, itemColour, options, progress, ChosenCache());
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
