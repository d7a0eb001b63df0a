#include "logdata/LogSetLoader.h"

#include <atomic>
#include <thread>

#include "logdata/ThreadedRun.h"

namespace grafolux {

namespace {

constexpr int64_t kPerFile = 1000;

struct Stopped {};  // thrown inside a load's progress to end it

}  // namespace

std::vector<LoadResult> LoadLogs(const std::vector<std::string>& paths, Colour itemColour,
                                 const LoadOptions& options, const LoadProgress& progress) {
    std::vector<LoadResult> results(paths.size());
    if (paths.size() == 1) {
        const auto scaled = [&](int64_t done, int64_t total) {
            if (progress) progress(total > 0 ? done * kPerFile / total : 0, kPerFile);
        };
        results[0] = LoadLog(paths[0], itemColour, scaled, options);
        return results;
    }

    LoadOptions single = options;
    single.workers = 1;
    std::vector<std::atomic<int64_t>> done(paths.size());
    const auto load = [&](size_t i, std::stop_token stop) {
        try {
            results[i] = LoadLog(
                paths[i], itemColour,
                [&, i](int64_t parsed, int64_t total) {
                    if (stop.stop_requested()) throw Stopped{};
                    if (total > 0) done[i] = parsed * kPerFile / total;
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
    RunThreaded(paths.size(), std::thread::hardware_concurrency(), load, report);
    return results;
}

}  // namespace grafolux
