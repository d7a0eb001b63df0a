#include "logdata/LogSetLoader.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "logdata/ThreadedRun.h"

namespace grafolux {

namespace {

constexpr int64_t kPerFile = 1000;

struct Stopped {};  // thrown inside a load's progress to end it

}  // namespace

std::vector<LoadResult> LoadLogs(const std::vector<std::string>& paths, Colour itemColour,
                                 const LoadOptions& options, const LoadProgress& progress,
                                 const LogLoad& load) {
    std::vector<LoadResult> results(paths.size());
    if (paths.size() == 1) {
        int64_t shown = 0;
        const auto scaled = [&](int64_t done, int64_t total) {
            if (total > 0) shown = std::max(shown, done * kPerFile / total);
            if (progress) progress(shown, kPerFile);
        };
        results[0] = load(paths[0], itemColour, scaled, options);
        return results;
    }

    LoadOptions single = options;
    single.workers = 1;
    std::vector<std::atomic<int64_t>> done(paths.size());
    const auto loadOne = [&](size_t i, std::stop_token stop) {
        try {
            results[i] = load(
                paths[i], itemColour,
                [&, i](int64_t parsed, int64_t total) {
                    if (stop.stop_requested()) throw Stopped{};
                    // A total judged anew may make the share drop for a moment: never shown.
                    if (total > 0) done[i] = std::max(done[i].load(), parsed * kPerFile / total);
                },
                single);
        } catch (const Stopped&) {
        }
        done[i] = kPerFile;
    };
    const auto report = [&] {
        if (!progress) return;
        int64_t all = 0;
        for (const auto& d : done) all += d;
        progress(all, static_cast<int64_t>(paths.size()) * kPerFile);
    };
    RunThreaded(paths.size(), std::thread::hardware_concurrency(), loadOne, report);
    return results;
}

}  // namespace grafolux
