#pragma once
// "Preferences.ini" beside Grafolux.cfg (which keeps its two entries and nothing else): the
// newer features' choices, a group of keys each.

#include <map>
#include <string>

namespace grafolux {

// "Preferences.ini" in the folder of the settings file at `settingsFile`.
std::string PreferencesFilePath(const std::string& settingsFile);

// Every key ("Group/Key") with its text; an absent or unreadable file has none.
std::map<std::string, std::string> ReadPreferences(const std::string& path);

// Replaces the keys of `group` by `values` (keys "Group/Key"), leaving the other groups; false
// with `error` set when the file cannot be written.
bool WritePreferencesGroup(const std::string& path, const std::string& group,
                           const std::map<std::string, std::string>& values, std::string* error);

}  // namespace grafolux
