#pragma once
// Runs a set of jobs on worker threads while the calling thread reports progress: the one way
// the loaders spread work over the cores.

#include <chrono>
#include <cstddef>
#include <functional>
#include <stop_token>

namespace grafolux {

// How often a long load reports progress.
inline constexpr std::chrono::milliseconds kProgressInterval{16};

// Runs job(i, stop) once for each i in [0, jobs) on up to `threads` threads of their own, each
// thread taking the next job not yet started. Jobs that get no thread of their own wait for one
// that is free; when no thread can be started at all the calling thread runs every job itself.
// Meanwhile the calling thread calls `progress` about every kProgressInterval, and once more at
// the end when every job succeeded. An exception from a job or from `progress` asks every job
// to stop (through `stop`; jobs not yet started are skipped) and passes to the caller once
// every thread has ended; the first one thrown wins.
void RunThreaded(size_t jobs, size_t threads,
                 const std::function<void(size_t job, std::stop_token stop)>& job,
                 const std::function<void()>& progress);

}  // namespace grafolux
