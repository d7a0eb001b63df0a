#pragma once
// The reopen cache's choices, kept in "Preferences.ini": whether the window bypasses the cache
// (every log parsed, nothing written), and how many bytes its folder may hold.

#include <cstdint>
#include <map>
#include <string>

#include "logcache/CacheFolder.h"

namespace grafolux {

struct CachePreferences {
    bool bypass = false;
    uint64_t limit = kDefaultCacheLimit;
    bool operator==(const CachePreferences&) const = default;
};

// From the file's keys and their texts ("Cache/Bypass" true or false, "Cache/Limit" as
// ParseCacheLimit reads it); anything unreadable keeps its default.
CachePreferences CachePreferencesFrom(const std::map<std::string, std::string>& values);

// An absent or unreadable file gives the defaults.
CachePreferences LoadCachePreferences(const std::string& path);
// Writes "Cache/Bypass", leaving the limit as the user wrote it; false with `error` set when the
// file cannot be written.
bool SaveCacheBypass(const std::string& path, bool bypass, std::string* error);

}  // namespace grafolux
