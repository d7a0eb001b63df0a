#pragma once
// Reads a log file into a LogData: bytes in, model or error out, progress by callback.

#include <string>
#include <vector>

#include "logdata/LoadResult.h"
#include "logdata/LogModel.h"

namespace grafolux {

struct LoadOptions {
    // The names of the items to keep (every column of such a name); the other columns are
    // skipped while parsing and the log holds only these items. Empty keeps every item.
    std::vector<std::string> items;
    // Threads parsing the file; 0 chooses by the file's size and the cores.
    int workers = 0;
    // A log of a header alone is a failure: there is nothing to show of it.
    bool needsSamples = false;
};

// Every item gets `itemColour`, unlocked and unfilled. A failure (missing, a folder,
// unreadable, empty, a header without an item, too large for memory, no sample when one is
// needed) yields a LoadError
// whose message names the path, and nothing else. The file is read once; a log that is
// still growing is cut at the size it had when it was opened, and one replaced or deleted
// after it was opened is read as it was. No global state: loads may run side by side.
LoadResult LoadLog(const std::string& path, Colour itemColour, const LoadProgress& progress = {},
                   const LoadOptions& options = {});

}  // namespace grafolux
