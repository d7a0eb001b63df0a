#pragma once
// The reopen cache's folder: where it is, the entries' names, and keeping it within its size.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logcache/CacheEntry.h"

namespace grafolux {

inline constexpr uint64_t kDefaultCacheLimit = uint64_t{2} << 30;

// "$XDG_CACHE_HOME/grafolux" (XDG_CACHE_HOME when it is an absolute path, else "$HOME/.cache");
// empty when neither is known.
std::string CacheFolder();

// A size limit as written in the environment or the preferences: a whole number of bytes,
// optionally followed by K, M, G or T (powers of 1024, either case, with or without "iB" or
// "B"): "2G", "500MiB", "0". None for any other text.
std::optional<uint64_t> ParseCacheLimit(std::string_view text);

// The entries that may be the one of a log of this size and time: their paths.
std::vector<std::string> EntriesFor(const std::string& folder, uint64_t size, int64_t modified);

// Writes the log's entry into `folder` (made when missing) under a temporary name and renames
// it into place when complete, then removes the entries used longest ago until the folder
// holds at most `limit` bytes, the new one last. An entry larger than the limit is not
// written. False when it could not be written (the folder is a file, the disk is full …): the
// cache is then as it was.
bool StoreEntry(const std::string& folder, const CacheKey& key, const LogData& log, uint64_t limit);

// Marks an entry as used now, so that it is among the last to go.
void TouchEntry(const std::string& path);

}  // namespace grafolux
