#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "logdata/ThreadedRun.h"

namespace {

using grafolux::RunThreaded;
using namespace std::chrono_literals;

// Each job runs exactly once whatever the number of threads; progress runs on the calling
// thread, between the jobs when they are slow, and once more after the last one has ended.
TEST(RunThreaded, EveryJobRunsOnceAndProgressEndsTheRun) {
    const struct {
        const char* what;
        size_t jobs, threads;
        std::chrono::milliseconds jobTime;
    } cases[] = {
        {"no job", 0, 4, 0ms},
        {"no thread asked for", 3, 0, 0ms},
        {"one thread, many jobs", 50, 1, 0ms},
        {"more jobs than threads", 50, 3, 0ms},
        {"more threads than jobs", 2, 8, 0ms},
        {"slow jobs", 2, 2, 100ms},
    };
    for (const auto& c : cases) {
        std::vector<std::atomic<int>> runs(c.jobs);
        std::atomic<size_t> ended{0};
        const auto caller = std::this_thread::get_id();
        std::vector<size_t> endedAtProgress;
        RunThreaded(
            c.jobs, c.threads,
            [&](size_t i, std::stop_token) {
                ASSERT_LT(i, c.jobs) << c.what;
                std::this_thread::sleep_for(c.jobTime);
                ++runs[i];
                ++ended;
            },
            [&] {
                EXPECT_EQ(std::this_thread::get_id(), caller) << c.what;
                endedAtProgress.push_back(ended);
            });
        for (size_t i = 0; i < c.jobs; ++i) EXPECT_EQ(runs[i], 1) << c.what << " job " << i;
        ASSERT_FALSE(endedAtProgress.empty()) << c.what;
        EXPECT_EQ(endedAtProgress.back(), c.jobs) << c.what;
        if (c.jobTime > 0ms) {
            EXPECT_GE(endedAtProgress.size(), 2u) << c.what;
        }
    }
}

// Whichever throws, the running jobs are told to stop, the ones not started never start, and
// the exception reaches the caller only once every job has ended.
TEST(RunThreaded, AThrowStopsEveryJobAndPassesToTheCaller) {
    struct Thrown {
        std::string by;
    };
    const struct {
        const char* what;
        bool jobThrows;
    } cases[] = {{"progress", false}, {"job", true}};
    for (const auto& c : cases) {
        std::atomic<int> started{0}, running{0}, stopped{0};
        // Waits up to 10 s for `done`; whether it came.
        const auto waitFor = [](const auto& done) {
            const auto deadline = std::chrono::steady_clock::now() + 10s;
            while (!done() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(1ms);
            return done();
        };
        // The throw waits for both threads to be in a job, so that exactly two have started.
        const auto job = [&](size_t i, std::stop_token stop) {
            ++started;
            ++running;
            if (c.jobThrows && i == 0) {
                waitFor([&] { return started == 2; });
                --running;
                throw Thrown{"job"};
            }
            stopped += waitFor([&] { return stop.stop_requested(); });
            --running;
        };
        const auto progress = [&] {
            if (!c.jobThrows && started == 2) throw Thrown{"progress"};
        };
        try {
            RunThreaded(6, 2, job, progress);
            ADD_FAILURE() << c.what << ": nothing thrown";
        } catch (const Thrown& thrown) {
            EXPECT_EQ(thrown.by, c.what);
            EXPECT_EQ(running, 0) << c.what;
            EXPECT_EQ(started, 2) << c.what;
            EXPECT_EQ(stopped, c.jobThrows ? 1 : 2) << c.what;
        }
    }
}

}  // namespace
