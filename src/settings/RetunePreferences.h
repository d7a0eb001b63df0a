#pragma once
// The retune view's choices, kept in "Preferences.ini": the factor's item, how samples weigh on
// the cells, the weight a cell needs and the largest change.

#include <map>
#include <optional>
#include <string>

#include "tables/Retune.h"

namespace grafolux {

struct RetunePreferences {
    std::optional<std::string> factor;  // an item's name; none: the trims' factor
    RetuneSettings settings;
    bool operator==(const RetunePreferences& other) const {
        return factor == other.factor && settings.weighting == other.settings.weighting &&
               settings.minWeight == other.settings.minWeight &&
               settings.maxChange == other.settings.maxChange;
    }
};

// From the file's keys and their texts; anything unreadable (an unknown weighting, a number
// that is not plain decimals 0 or more, an empty factor) keeps its default.
RetunePreferences RetunePreferencesFrom(const std::map<std::string, std::string>& values);
// The keys and texts that RetunePreferencesFrom reads back to `preferences`.
std::map<std::string, std::string> RetunePreferencesValues(const RetunePreferences& preferences);

RetunePreferences LoadRetunePreferences(const std::string& path);
// Replaces the file's retune keys; false with `error` set when the file cannot be written.
bool SaveRetunePreferences(const std::string& path, const RetunePreferences& preferences,
                           std::string* error = nullptr);

}  // namespace grafolux
