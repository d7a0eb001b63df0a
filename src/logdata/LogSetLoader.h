#pragma once
// Loads several logs side by side: each file on a thread of its own (as many at once as there
// are cores), each parsed by one worker, with one progress for them all.

#include <functional>
#include <string>
#include <vector>

#include "logdata/LogLoader.h"

namespace grafolux {

// How one log is loaded: LoadLog, or another way that gives the same log.
using LogLoad = std::function<LoadResult(const std::string& path, Colour itemColour,
                                         const LoadProgress& progress, const LoadOptions& options)>;

// One result per path, in the order given; each load is all or nothing on its own. `progress`
// is called on the calling thread about every 16 ms with done of total (total is 1000 per
// file) and once at the end; an exception thrown from it stops every load and passes to the
// caller. One path alone is loaded as `load` loads it, by as many workers as suit its size.
std::vector<LoadResult> LoadLogs(const std::vector<std::string>& paths, Colour itemColour,
                                 const LoadOptions& options, const LoadProgress& progress = {},
                                 const LogLoad& load = LoadLog);

}  // namespace grafolux
