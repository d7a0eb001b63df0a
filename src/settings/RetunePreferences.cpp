#include "settings/RetunePreferences.h"

#include "settings/PreferencesFile.h"
#include "tables/RetuneLogs.h"

namespace grafolux {

namespace {

constexpr const char* kRetuneGroup = "Retune";

std::string Key(const char* name) { return std::string(kRetuneGroup) + "/" + name; }

}  // namespace

RetunePreferences RetunePreferencesFrom(const std::map<std::string, std::string>& values) {
    RetunePreferences preferences;
    const auto value = [&](const char* name) -> const std::string* {
        const auto found = values.find(Key(name));
        return found == values.end() ? nullptr : &found->second;
    };
    if (const std::string* text = value("Factor"); text && !text->empty())
        preferences.factor = *text;
    if (const std::string* text = value("Cells"))
        if (const auto weighting = CellWeightingNamed(*text))
            preferences.settings.weighting = *weighting;
    if (const std::string* text = value("MinimumWeight"))
        if (const auto number = PlainDecimal(*text)) preferences.settings.minWeight = *number;
    if (const std::string* text = value("MaximumChange"))
        if (const auto number = PlainDecimal(*text)) preferences.settings.maxChange = *number;
    return preferences;
}

std::map<std::string, std::string> RetunePreferencesValues(const RetunePreferences& preferences) {
    std::map<std::string, std::string> values = {
        {Key("Cells"), std::string(CellWeightingName(preferences.settings.weighting))},
        {Key("MinimumWeight"), PlainDecimalText(preferences.settings.minWeight)},
        {Key("MaximumChange"), PlainDecimalText(preferences.settings.maxChange)},
    };
    if (preferences.factor) values[Key("Factor")] = *preferences.factor;
    return values;
}

RetunePreferences LoadRetunePreferences(const std::string& path) {
    return RetunePreferencesFrom(ReadPreferences(path));
}

bool SaveRetunePreferences(const std::string& path, const RetunePreferences& preferences,
                           std::string* error) {
    return WritePreferencesGroup(path, kRetuneGroup, RetunePreferencesValues(preferences), error);
}

}  // namespace grafolux
