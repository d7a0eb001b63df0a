#include "logdata/ThreadedRun.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace grafolux {

void RunThreaded(size_t jobs, size_t threads,
                 const std::function<void(size_t job, std::stop_token stop)>& job,
                 const std::function<void()>& progress) {
    std::stop_source stop;
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    size_t running = 0;  // threads still taking jobs
    std::exception_ptr failure;
    const auto fail = [&](std::exception_ptr error) {
        const std::lock_guard lock(mutex);
        if (!failure) failure = std::move(error);
        stop.request_stop();
    };
    const auto work = [&] {
        for (size_t i; !stop.stop_requested() && (i = next++) < jobs;) {
            try {
                job(i, stop.get_token());
            } catch (...) {
                fail(std::current_exception());
            }
        }
        const std::lock_guard lock(mutex);
        --running;
        finished.notify_one();
    };

    std::vector<std::thread> pool;
    const auto joinAll = [&] {
        for (std::thread& thread : pool) thread.join();
    };
    try {
        const size_t wanted = std::min(std::max<size_t>(threads, 1), jobs);
        pool.reserve(wanted);
        for (size_t t = 0; t < wanted; ++t) {
            {
                const std::lock_guard lock(mutex);
                ++running;
            }
            try {
                pool.emplace_back(work);
            } catch (const std::system_error&) {
                const std::lock_guard lock(mutex);
                --running;
                break;  // the threads already running take the remaining jobs
            }
        }
        if (pool.empty()) {
            ++running;
            work();
        }
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, kProgressInterval, [&] { return running == 0; })) {
            if (!progress) continue;
            lock.unlock();
            progress();
            lock.lock();
        }
    } catch (...) {
        fail(std::current_exception());
    }
    joinAll();
    if (failure) std::rethrow_exception(failure);
    if (progress) progress();  // the end, however quickly it came
}

}  // namespace grafolux
