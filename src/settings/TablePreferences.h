#pragma once
// The Table menu's choices, kept in "Preferences.ini": the statistic shown, the minimum samples
// per cell, the sample filters and the colouring.

#include <map>
#include <string>
#include <vector>

#include "settings/PreferencesFile.h"
#include "tables/CellDisplay.h"
#include "tables/SampleFilter.h"

namespace grafolux {

struct TablePreferences {
    CellLook look;
    std::vector<SampleCondition> conditions;
    bool operator==(const TablePreferences&) const = default;
};

// From the file's keys and their texts. Anything unreadable (an unknown statistic, a minimum
// that is no whole number from 1, a condition that does not parse) keeps its default; a pure
// function on text, whatever the file held.
TablePreferences TablePreferencesFrom(const std::map<std::string, std::string>& values);
// The keys and texts that TablePreferencesFrom reads back to `preferences`.
std::map<std::string, std::string> TablePreferencesValues(const TablePreferences& preferences);

// An absent or unreadable file gives the defaults.
TablePreferences LoadTablePreferences(const std::string& path);
// Replaces the file's table keys; false with `error` set when the file cannot be written.
bool SaveTablePreferences(const std::string& path, const TablePreferences& preferences,
                          std::string* error = nullptr);

}  // namespace grafolux
