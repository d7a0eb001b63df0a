#include "settings/CachePreferences.h"

#include "settings/PreferencesFile.h"

namespace grafolux {

CachePreferences CachePreferencesFrom(const std::map<std::string, std::string>& values) {
    CachePreferences preferences;
    if (const auto bypass = values.find("Cache/Bypass"); bypass != values.end())
        preferences.bypass = bypass->second == "true";
    if (const auto limit = values.find("Cache/Limit"); limit != values.end())
        preferences.limit = ParseCacheLimit(limit->second).value_or(preferences.limit);
    return preferences;
}

CachePreferences LoadCachePreferences(const std::string& path) {
    return CachePreferencesFrom(ReadPreferences(path));
}

bool SaveCacheBypass(const std::string& path, bool bypass, std::string* error) {
    std::map<std::string, std::string> values;
    for (const auto& [key, text] : ReadPreferences(path))
        if (key.starts_with("Cache/")) values[key] = text;
    values["Cache/Bypass"] = bypass ? "true" : "false";
    return WritePreferencesGroup(path, "Cache", values, error);
}

}  // namespace grafolux
