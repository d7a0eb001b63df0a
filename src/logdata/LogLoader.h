#pragma once
// Reads a log file into a LogData: bytes in, model or error out, progress by callback.

#include <functional>
#include <string>
#include <string_view>
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

// A log file opened for loading, and what it was when it was opened.
class OpenedLog {
public:
    OpenedLog(OpenedLog&& other) noexcept;
    OpenedLog& operator=(OpenedLog&&) = delete;
    ~OpenedLog();

    int descriptor() const { return descriptor_; }
    bool regular() const { return regular_; }
    uint64_t size() const { return size_; }         // 0 for a pipe or a pseudo-file
    int64_t modified() const { return modified_; }  // nanoseconds since the epoch

private:
    friend std::variant<OpenedLog, LoadError> OpenLogFile(const std::string& path);
    OpenedLog() = default;
    int descriptor_ = -1;
    bool regular_ = false;
    uint64_t size_ = 0;
    int64_t modified_ = 0;
};

// The file at `path`, open for reading; a failure (missing, a folder, cannot be opened) names
// the path.
std::variant<OpenedLog, LoadError> OpenLogFile(const std::string& path);

// Every item gets `itemColour`, unlocked and unfilled. A failure (missing, a folder,
// unreadable, empty, a header without an item, too large for memory, no sample when one is
// needed) yields a LoadError whose message names the path, and nothing else. The file is read
// once; a log that is still growing is cut at the size it had when it was opened, and one
// replaced or deleted after it was opened is read as it was. No global state: loads may run
// side by side.
LoadResult LoadLog(const std::string& path, Colour itemColour, const LoadProgress& progress = {},
                   const LoadOptions& options = {});

// The same for a file opened by OpenLogFile and not read yet; `seen` is given every byte read,
// in order.
LoadResult LoadOpenedLog(const OpenedLog& file, const std::string& path, Colour itemColour,
                         const LoadProgress& progress, const LoadOptions& options,
                         const std::function<void(std::string_view bytes)>& seen = {});

}  // namespace grafolux
