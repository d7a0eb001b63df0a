#include "logdata/LogLoader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>

#include "logdata/HugePages.h"
#include "logdata/LogParser.h"
#include "logdata/TextFields.h"
#include "logdata/ThreadedRun.h"

namespace grafolux {

namespace {

constexpr size_t kReadPiece = size_t{8} << 20;
constexpr size_t kBytesPerWorker = size_t{1} << 20;  // smaller logs are parsed by one worker
constexpr unsigned kMaxWorkers = 8;

// The whole file, read once. Not a std::string: that would clear every byte before the read.
struct FileBytes {
    std::unique_ptr<char[]> data;
    size_t size = 0;
    std::string_view view() const { return {data.get(), size}; }
};

// The last error as text; unlike strerror, safe while another load runs.
std::string ErrnoText() { return std::generic_category().message(errno); }

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads the file that `path` names when it is opened: a regular file up to the size it has
// then (a log still being written is cut there; one that shrinks gives what is left), anything
// else (a pipe, a file of unknown size) to its end. Calls progress(0, 0) once the file is
// open and its size known, then about every 16 ms. Returns the reason on failure.
std::string ReadWholeFile(const std::string& path, const LoadProgress& progress, FileBytes& bytes) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return "cannot be opened (" + ErrnoText() + ")";
    // Size and kind of the open file, not of the path: a file put in its place meanwhile is
    // not the one read.
    struct stat status {};
    if (fstat(fileno(file.get()), &status) != 0) return "cannot be read (" + ErrnoText() + ")";
    if (progress) progress(0, 0);
    const bool regular = S_ISREG(status.st_mode);
    const bool grows = !regular || status.st_size <= 0;  // pseudo-files report size 0
    size_t capacity = grows ? kReadPiece : static_cast<size_t>(status.st_size);
    bytes.data.reset(new char[capacity]);
    AdviseHugePages(bytes.data.get(), capacity);

    auto lastReport = std::chrono::steady_clock::now();
    for (;;) {
        if (bytes.size == capacity) {
            if (!grows) break;
            std::unique_ptr<char[]> grown(new char[capacity * 2]);
            std::memcpy(grown.get(), bytes.data.get(), bytes.size);
            bytes.data = std::move(grown);
            capacity *= 2;
        }
        const size_t want = std::min(kReadPiece, capacity - bytes.size);
        const size_t got = std::fread(bytes.data.get() + bytes.size, 1, want, file.get());
        bytes.size += got;
        if (got < want) {
            if (std::ferror(file.get())) return "cannot be read (" + ErrnoText() + ")";
            break;
        }
        if (progress && std::chrono::steady_clock::now() - lastReport >= kProgressInterval) {
            progress(0, 0);
            lastReport = std::chrono::steady_clock::now();
        }
    }
    return {};
}

}  // namespace

LoadResult LoadLog(const std::string& path, Colour itemColour, const LoadProgress& progress,
                   const LoadOptions& options) {
    const auto fail = [&](const std::string& what) {
        return LoadError{OnOneLine(path) + ": " + what};
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (path.empty() || status.type() == std::filesystem::file_type::not_found)
        return fail("no such file");
    if (error) return fail("cannot be opened (" + error.message() + ")");
    if (std::filesystem::is_directory(status)) return fail("is a folder");

    FileBytes bytes;
    try {
        const std::string readError = ReadWholeFile(path, progress, bytes);
        if (!readError.empty()) return fail(readError);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory to read it");
    }
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
    const int workers =
        options.workers > 0
            ? options.workers
            : static_cast<int>(std::min<size_t>(cores, bytes.size / kBytesPerWorker + 1));
    LoadResult result = ParseLog(bytes.view(), itemColour, progress, workers, options.items);
    if (auto* failure = std::get_if<LoadError>(&result))
        failure->message = fail(failure->message).message;
    else if (options.needsSamples && std::get<LogData>(result).lngSampleCount == 0)
        return fail("the log holds no samples");
    return result;
}

}  // namespace grafolux
