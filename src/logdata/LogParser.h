#pragma once
// Turns the bytes of a log file into a LogData. LoadLog reads the file and hands the bytes
// here; tests call it directly to pin the format without touching the disk.

#include <string>
#include <string_view>
#include <vector>

#include "logdata/LoadResult.h"

namespace grafolux {

// The data lines are cut into `workers` ranges of whole lines, counted and then parsed on
// as many threads while the calling thread calls `progress` about every 16 ms. The result
// does not depend on `workers`. Errors carry a message without the file's name. A non-empty
// `items` keeps only the columns of those names (LoadOptions::items).
LoadResult ParseLog(std::string_view bytes, Colour itemColour, const LoadProgress& progress,
                    int workers, const std::vector<std::string>& items = {});

}  // namespace grafolux
