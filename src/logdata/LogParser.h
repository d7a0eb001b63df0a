#pragma once
// Turns the bytes of a log into a LogData as they are read: pieces of whole lines are parsed and
// encoded into compact columns on worker threads, so that the text and a table of doubles are
// never held whole. LoadLog reads a file through it; tests call ParseLog on bytes in memory.

#include <string>
#include <string_view>
#include <vector>

#include "logdata/LinePieces.h"
#include "logdata/LoadResult.h"

namespace grafolux {

// The source's lines are parsed by `workers` threads, each taking the next piece, while the
// calling thread calls `progress` about every 16 ms. The result depends neither on `workers`
// nor on `limits`. Errors carry a message without the file's name. A non-empty `items` keeps
// only the columns of those names (LoadOptions::items).
LoadResult ParseStream(ByteSource& source, Colour itemColour, const LoadProgress& progress,
                       int workers, const std::vector<std::string>& items = {},
                       PieceLimits limits = {});

// The same for bytes in memory, handed over `limits.readBytes` at a time.
LoadResult ParseLog(std::string_view bytes, Colour itemColour, const LoadProgress& progress,
                    int workers, const std::vector<std::string>& items = {},
                    const PieceLimits& limits = {});

}  // namespace grafolux
