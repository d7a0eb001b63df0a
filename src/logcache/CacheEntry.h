#pragma once
// A loaded log's logged items as a file of the reopen cache, and back. The file holds the
// header's names and every column's blocks as they are held in memory, so that reading it maps
// the columns in place; a checksum of its bytes, its version and the key of the log it was made
// from let a damaged, foreign or stale entry be told apart from a sound one.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "logcache/ContentHash.h"
#include "logdata/LogModel.h"

namespace grafolux {

// What the entry of a log file is found by: its size and modification time when it was read,
// and the hash of its bytes.
struct CacheKey {
    uint64_t size = 0;
    int64_t modified = 0;  // nanoseconds since the epoch
    ContentHash hash;
    bool operator==(const CacheKey&) const = default;
};

inline constexpr uint32_t kCacheVersion = 1;

// Writes the entry to the open file `descriptor` from its start; false when a write fails.
bool WriteCacheEntry(int descriptor, const CacheKey& key, const LogData& log);

struct CachedLog {
    CacheKey key;  // of the log the entry was made from
    LogData log;   // its logged items, each coloured `colour`
};
// The entry in `bytes` (which `owner` keeps while the log's columns refer to them), or none
// when they are not a whole, undamaged entry of this version.
std::optional<CachedLog> ReadCacheEntry(std::span<const uint8_t> bytes,
                                        std::shared_ptr<const void> owner, Colour colour);

}  // namespace grafolux
