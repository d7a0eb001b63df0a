#pragma once
// What a load gives and how it reports its progress, shared by the loader and the parser it
// hands the bytes to.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "logdata/LogModel.h"

namespace grafolux {

struct LoadError {
    std::string message;  // one line that names the path and says why
};

using LoadResult = std::variant<LogData, LoadError>;

// Called on the calling thread once the file is open, then about every 16 ms of a long load with
// the samples parsed so far and the total, and at least once at the end with both equal to the
// sample count; the total is 0 until it can be judged. The window uses it to move the progress
// bar and let events run. An exception thrown from it ends the load (the worker threads are
// stopped) and passes to the caller.
using LoadProgress = std::function<void(int64_t done, int64_t total)>;

}  // namespace grafolux
