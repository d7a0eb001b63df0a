#pragma once
// Reads a log file into a LogData: bytes in, model or error out, progress by callback.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "logdata/LogModel.h"

namespace grafolux {

struct LoadError {
    std::string message;  // one line, for the command-line tool; the window stays silent
};

using LoadResult = std::variant<LogData, LoadError>;

// Called now and then on the calling thread with the samples parsed so far and the total;
// the window uses it to move the progress bar and let events run.
using LoadProgress = std::function<void(int64_t done, int64_t total)>;

// Every item gets `itemColour`, unlocked and unfilled. A failure (unreadable, empty,
// a header without an item) yields a LoadError and nothing else.
LoadResult LoadLog(const std::string& path, Colour itemColour, const LoadProgress& progress = {});

}  // namespace grafolux
