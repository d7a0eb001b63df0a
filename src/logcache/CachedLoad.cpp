#include "logcache/CachedLoad.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

#include "logcache/CacheEntry.h"
#include "logcache/CacheFolder.h"
#include "logcache/ContentHash.h"
#include "logdata/LogSetLoader.h"
#include "logdata/ThreadedRun.h"

namespace grafolux {

namespace {

// An entry mapped for reading, unmapped when the last column that reads it goes.
class MappedEntry {
public:
    static std::shared_ptr<const MappedEntry> Open(const std::string& path) {
        const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) return nullptr;
        struct stat status {};
        void* data = MAP_FAILED;
        if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
            data = mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ,
                        MAP_PRIVATE | MAP_POPULATE, descriptor, 0);  // it is read whole at once
        close(descriptor);
        if (data == MAP_FAILED) return nullptr;
        return std::shared_ptr<const MappedEntry>(new MappedEntry(
            static_cast<const uint8_t*>(data), static_cast<size_t>(status.st_size)));
    }
    ~MappedEntry() { munmap(const_cast<uint8_t*>(data_), size_); }
    MappedEntry(const MappedEntry&) = delete;
    MappedEntry& operator=(const MappedEntry&) = delete;

    std::span<const uint8_t> bytes() const { return {data_, size_}; }

private:
    MappedEntry(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    const uint8_t* data_;
    size_t size_;
};

// Entries written one after the other on a thread of their own, so that the window and the
// command-line tool go on with the log meanwhile.
class CacheWriter {
public:
    struct Job {
        std::string folder;
        CacheKey key;
        LogData log;
        uint64_t limit;
    };

    static CacheWriter& Instance() {
        static CacheWriter writer;
        return writer;
    }
    ~CacheWriter() {
        Finish();
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

    void Add(Job job) {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
        changed_.notify_all();
    }
    void Finish() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return jobs_.empty() && !writing_; });
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            writing_ = true;
            lock.unlock();
            StoreEntry(job.folder, job.key, job.log, job.limit);
            job.log = LogData();  // its columns go before the writer says it is done
            lock.lock();
            writing_ = false;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool writing_ = false, stopping_ = false;
    std::thread thread_;
};

// Progress while the file's bytes are hashed: done and total are not known yet.
class HashProgress {
public:
    explicit HashProgress(const LoadProgress& progress) : progress_(progress) {}
    void operator()() {
        const auto now = std::chrono::steady_clock::now();
        if (!progress_ || now - last_ < kProgressInterval) return;
        last_ = now;
        progress_(0, 0);
    }

private:
    const LoadProgress& progress_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// Only the items asked for, every column of such a name, in the file's order.
LogData Kept(const LogData& log, const std::vector<std::string>& items) {
    if (items.empty()) return log;
    LogData kept;
    kept.lngSampleCount = log.lngSampleCount;
    for (int32_t k = 1; k <= log.lngItemCount; ++k)
        if (std::find(items.begin(), items.end(), log.udtItems[k].strName) != items.end())
            kept.AddItem(log.udtItems[k], log.column(k));
    return kept;
}

struct Entry {
    std::string path;
    CacheKey key;
    LogData log;
};

// The sound entries among those at `paths`.
std::vector<Entry> ReadEntries(const std::vector<std::string>& paths, Colour colour) {
    std::vector<Entry> sound;
    for (const std::string& path : paths) {
        const auto mapped = MappedEntry::Open(path);
        if (!mapped) continue;
        auto entry = ReadCacheEntry(mapped->bytes(), mapped, colour);
        if (entry && entry->log.lngSampleCount > 0)
            sound.push_back({path, entry->key, std::move(entry->log)});
    }
    return sound;
}

}  // namespace

CacheChoices CacheChoicesFor(bool bypass, uint64_t preferredLimit) {
    const char* limit = std::getenv("GRAFOLUX_CACHE_LIMIT");
    const std::optional<uint64_t> given = limit ? ParseCacheLimit(limit) : std::nullopt;
    return {!bypass, given.value_or(preferredLimit), CacheFolder()};
}

LoadResult OpenLog(const std::string& path, Colour itemColour, const LoadProgress& progress,
                   const LoadOptions& options, const CacheChoices& cache) {
    if (!cache.use || cache.folder.empty()) return LoadLog(path, itemColour, progress, options);
    auto opened = OpenLogFile(path);
    if (auto* error = std::get_if<LoadError>(&opened)) return std::move(*error);
    const OpenedLog& file = std::get<OpenedLog>(opened);
    if (!file.regular() || file.size() == 0)
        return LoadOpenedLog(file, path, itemColour, progress, options);

    if (progress) progress(0, 0);
    const std::vector<std::string> entries = EntriesFor(cache.folder, file.size(), file.modified());
    if (!entries.empty()) {
        // The entries are read and checked while the file's bytes are hashed.
        auto read =
            std::async(std::launch::async, [&] { return ReadEntries(entries, itemColour); });
        HashProgress tick(progress);
        const auto hash = HashFile(file.descriptor(), file.size(), [&] { tick(); });
        for (Entry& entry : read.get()) {
            if (hash && entry.key == CacheKey{file.size(), file.modified(), *hash}) {
                TouchEntry(entry.path);
                if (progress) progress(entry.log.lngSampleCount, entry.log.lngSampleCount);
                return Kept(entry.log, options.items);
            }
        }
    }
    // The key is the hash of the very bytes parsed.
    ContentHasher hasher(file.size());
    LoadResult result = LoadOpenedLog(file, path, itemColour, progress, options,
                                      [&](std::string_view bytes) { hasher.Add(bytes); });
    const auto* log = std::get_if<LogData>(&result);
    if (log && options.items.empty() && log->lngSampleCount > 0 && hasher.bytes() == file.size())
        CacheWriter::Instance().Add(
            {cache.folder, {file.size(), file.modified(), hasher.Finish()}, *log, cache.limit});
    return result;
}

std::vector<LoadResult> OpenLogs(const std::vector<std::string>& paths, Colour itemColour,
                                 const LoadOptions& options, const LoadProgress& progress,
                                 const CacheChoices& cache) {
    return LoadLogs(
        paths, itemColour, options, progress,
        [&](const std::string& path, Colour colour, const LoadProgress& each,
            const LoadOptions& single) { return OpenLog(path, colour, each, single, cache); });
}

void FinishCacheWrites() { CacheWriter::Instance().Finish(); }

}  // namespace grafolux
