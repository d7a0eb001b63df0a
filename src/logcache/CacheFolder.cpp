#include "logcache/CacheFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace grafolux {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSuffix = ".cache";
constexpr std::string_view kTemporary = ".writing-";
// A temporary file this old was left by a program that ended while writing it.
constexpr auto kAbandoned = std::chrono::hours(1);

std::string KeyPrefix(uint64_t size, int64_t modified) {
    return std::to_string(size) + "-" + std::to_string(modified) + "-";
}

std::string EntryName(const CacheKey& key) {
    char hash[33];
    std::snprintf(hash, sizeof hash, "%016llx%016llx",
                  static_cast<unsigned long long>(key.hash.high),
                  static_cast<unsigned long long>(key.hash.low));
    return KeyPrefix(key.size, key.modified) + hash + std::string(kSuffix);
}

struct Held {
    fs::path path;
    fs::file_time_type used;
    uint64_t bytes;
};

// Removes the entries used longest ago until the rest fit in `limit`, and temporary files
// abandoned long ago.
void KeepWithin(const std::string& folder, uint64_t limit) {
    std::error_code error;
    std::vector<Held> entries;
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& file : fs::directory_iterator(folder, error)) {
        const std::string name = file.path().filename().string();
        const auto used = file.last_write_time(error);
        if (error) continue;
        if (name.starts_with(kTemporary) && now - used > kAbandoned) {
            fs::remove(file.path(), error);
        } else if (name.ends_with(kSuffix) && file.is_regular_file(error)) {
            entries.push_back({file.path(), used, file.file_size(error)});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Held& a, const Held& b) { return a.used > b.used; });
    uint64_t held = 0;
    for (const Held& entry : entries) {
        held += entry.bytes;
        if (held > limit) fs::remove(entry.path, error);
    }
}

}  // namespace

std::string CacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/') return std::string(cache) + "/grafolux";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.cache/grafolux";
    return {};
}

std::optional<uint64_t> ParseCacheLimit(std::string_view text) {
    uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    std::string unit(end, text.data() + text.size());
    for (char& c : unit) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (unit.ends_with("IB") && unit.size() == 3) unit.resize(1);
    if (unit.ends_with("B") && unit.size() == 2) unit.resize(1);
    const std::string_view units = "KMGT";
    int shift = 0;
    if (!unit.empty()) {
        const size_t at = units.find(unit);
        if (unit.size() != 1 || at == std::string_view::npos) return std::nullopt;
        shift = 10 * (static_cast<int>(at) + 1);
    }
    if (shift > 0 && number > (UINT64_MAX >> shift)) return std::nullopt;
    return number << shift;
}

std::vector<std::string> EntriesFor(const std::string& folder, uint64_t size, int64_t modified) {
    std::vector<std::string> paths;
    const std::string prefix = KeyPrefix(size, modified);
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(folder, error)) {
        const std::string name = file.path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(kSuffix)) paths.push_back(file.path());
    }
    return paths;
}

bool StoreEntry(const std::string& folder, const CacheKey& key, const LogData& log,
                uint64_t limit) {
    std::error_code error;
    if (folder.empty() || log.loggedBytes() > limit) return false;
    fs::create_directories(folder, error);
    std::string temporary = folder + "/" + std::string(kTemporary) + "XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) return false;
    const bool written = WriteCacheEntry(descriptor, key, log);
    const bool closed = close(descriptor) == 0;
    if (!written || !closed ||
        rename(temporary.c_str(), (folder + "/" + EntryName(key)).c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    KeepWithin(folder, limit);
    return true;
}

void TouchEntry(const std::string& path) { utimensat(AT_FDCWD, path.c_str(), nullptr, 0); }

}  // namespace grafolux
