#include "logdata/LogLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#include "logdata/LogParser.h"
#include "logdata/TextFields.h"

namespace grafolux {

namespace {

constexpr size_t kBytesPerWorker = size_t{1} << 20;  // smaller logs are parsed by one worker
constexpr unsigned kMaxWorkers = 8;

// The last error as text; unlike strerror, safe while another load runs.
std::string ErrnoText() { return std::generic_category().message(errno); }

// A regular file up to the size it had when it was opened (a log still being written is cut
// there; one that shrinks gives what is left), anything else (a pipe, a file of unknown size)
// to its end.
class FileSource : public ByteSource {
public:
    FileSource(const OpenedLog& file, const std::function<void(std::string_view)>& seen)
        : file_(file),
          seen_(seen),
          left_(file.size() > 0 ? file.size() : std::numeric_limits<uint64_t>::max()) {}

    size_t Read(char* into, size_t most) override {
        most = static_cast<size_t>(std::min<uint64_t>(most, left_));
        ssize_t got;
        do {
            got = most == 0 ? 0 : read(file_.descriptor(), into, most);
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw ReadFailure{"cannot be read (" + ErrnoText() + ")"};
        left_ -= static_cast<uint64_t>(got);
        if (seen_ && got > 0) seen_({into, static_cast<size_t>(got)});
        return static_cast<size_t>(got);
    }
    uint64_t size() const override { return file_.size(); }

private:
    const OpenedLog& file_;
    const std::function<void(std::string_view)>& seen_;
    uint64_t left_;
};

}  // namespace

OpenedLog::OpenedLog(OpenedLog&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      regular_(other.regular_),
      size_(other.size_),
      modified_(other.modified_) {}

OpenedLog::~OpenedLog() {
    if (descriptor_ >= 0) close(descriptor_);
}

std::variant<OpenedLog, LoadError> OpenLogFile(const std::string& path) {
    const auto fail = [&](const std::string& what) {
        return LoadError{OnOneLine(path) + ": " + what};
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (path.empty() || status.type() == std::filesystem::file_type::not_found)
        return fail("no such file");
    if (error) return fail("cannot be opened (" + error.message() + ")");
    if (std::filesystem::is_directory(status)) return fail("is a folder");
    OpenedLog file;
    file.descriptor_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.descriptor_ < 0) return fail("cannot be opened (" + ErrnoText() + ")");
    // Size and kind of the open file, not of the path: a file put in its place meanwhile is
    // not the one read.
    struct stat opened {};
    if (fstat(file.descriptor_, &opened) != 0) return fail("cannot be read (" + ErrnoText() + ")");
    file.regular_ = S_ISREG(opened.st_mode);
    // Pseudo-files report size 0 and are read to their end.
    file.size_ = file.regular_ && opened.st_size > 0 ? static_cast<uint64_t>(opened.st_size) : 0;
    file.modified_ = int64_t{opened.st_mtim.tv_sec} * 1000000000 + opened.st_mtim.tv_nsec;
    return file;
}

LoadResult LoadLog(const std::string& path, Colour itemColour, const LoadProgress& progress,
                   const LoadOptions& options) {
    auto opened = OpenLogFile(path);
    if (auto* error = std::get_if<LoadError>(&opened)) return std::move(*error);
    return LoadOpenedLog(std::get<OpenedLog>(opened), path, itemColour, progress, options);
}

LoadResult LoadOpenedLog(const OpenedLog& file, const std::string& path, Colour itemColour,
                         const LoadProgress& progress, const LoadOptions& options,
                         const std::function<void(std::string_view bytes)>& seen) {
    if (progress) progress(0, 0);
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
    const int workers =
        options.workers > 0
            ? options.workers
            : static_cast<int>(file.size() == 0
                                   ? cores
                                   : std::min<uint64_t>(cores, file.size() / kBytesPerWorker + 1));
    FileSource source(file, seen);
    LoadResult result = ParseStream(source, itemColour, progress, workers, options.items);
    if (auto* failure = std::get_if<LoadError>(&result))
        failure->message = OnOneLine(path) + ": " + failure->message;
    else if (options.needsSamples && std::get<LogData>(result).lngSampleCount == 0)
        return LoadError{OnOneLine(path) + ": the log holds no samples"};
    return result;
}

}  // namespace grafolux
