#include "logdata/LogSetLoader.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "logdata/LogParser.h"

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
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    size_t running = 0;
    const auto work = [&] {
        for (size_t i; !stop && (i = next++) < paths.size();) {
            try {
                results[i] = LoadLog(
                    paths[i], itemColour,
                    [&, i](int64_t parsed, int64_t total) {
                        if (stop) throw Stopped{};
                        if (total > 0) done[i] = parsed * kPerFile / total;
                    },
                    single);
            } catch (const Stopped&) {
            }
            done[i] = kPerFile;
        }
        const std::lock_guard lock(mutex);
        --running;
        finished.notify_one();
    };

    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, paths.size());
    std::vector<std::jthread> workers;
    {
        const std::lock_guard lock(mutex);
        running = threads;
    }
    for (size_t t = 0; t < threads; ++t) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            work();  // no thread to be had: this one works instead
        }
    }
    const auto total = static_cast<int64_t>(paths.size()) * kPerFile;
    const auto sum = [&] {
        int64_t all = 0;
        for (const auto& d : done) all += d;
        return all;
    };
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, kProgressInterval, [&] { return running == 0; })) {
        if (!progress) continue;
        lock.unlock();
        try {
            progress(sum(), total);
        } catch (...) {
            stop = true;
            for (auto& worker : workers) worker.join();
            throw;
        }
        lock.lock();
    }
    lock.unlock();
    for (auto& worker : workers) worker.join();
    if (progress) progress(total, total);
    return results;
}

}  // namespace grafolux
