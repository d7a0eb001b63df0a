#include "settings/TablePreferences.h"

#include <charconv>

#include "settings/PreferencesFile.h"

namespace grafolux {

namespace {

constexpr int kMaxConditions = 100;
constexpr const char* kTableGroup = "Table";

std::string FilterKey(int n) { return std::string(kTableGroup) + "/Filter" + std::to_string(n); }

}  // namespace

TablePreferences TablePreferencesFrom(const std::map<std::string, std::string>& values) {
    TablePreferences preferences;
    const auto value = [&](const std::string& key) -> const std::string* {
        const auto found = values.find(std::string(kTableGroup) + "/" + key);
        return found == values.end() ? nullptr : &found->second;
    };
    if (const std::string* text = value("Statistic"))
        if (const auto statistic = StatisticNamed(*text))
            preferences.look.show.statistic = *statistic;
    if (const std::string* text = value("MinimumSamples")) {
        int32_t number = 0;
        const auto [end, error] =
            std::from_chars(text->data(), text->data() + text->size(), number);
        if (error == std::errc() && end == text->data() + text->size() && number >= 1)
            preferences.look.show.minCount = number;
    }
    if (const std::string* text = value("Colour")) preferences.look.coloured = *text == "true";
    for (int n = 1; n <= kMaxConditions; ++n) {
        const auto found = values.find(FilterKey(n));
        if (found == values.end()) break;
        if (auto parsed = ParseCondition(found->second);
            const auto* condition = std::get_if<SampleCondition>(&parsed))
            preferences.conditions.push_back(*condition);
    }
    return preferences;
}

std::map<std::string, std::string> TablePreferencesValues(const TablePreferences& preferences) {
    const std::string group = std::string(kTableGroup) + "/";
    std::map<std::string, std::string> values = {
        {group + "Statistic", std::string(StatisticName(preferences.look.show.statistic))},
        {group + "MinimumSamples", std::to_string(preferences.look.show.minCount)},
        {group + "Colour", preferences.look.coloured ? "true" : "false"},
    };
    const size_t kept = std::min<size_t>(preferences.conditions.size(), kMaxConditions);
    for (size_t i = 0; i < kept; ++i)
        values[FilterKey(static_cast<int>(i) + 1)] = ConditionText(preferences.conditions[i]);
    return values;
}

TablePreferences LoadTablePreferences(const std::string& path) {
    return TablePreferencesFrom(ReadPreferences(path));
}

bool SaveTablePreferences(const std::string& path, const TablePreferences& preferences,
                          std::string* error) {
    return WritePreferencesGroup(path, kTableGroup, TablePreferencesValues(preferences), error);
}

}  // namespace grafolux
