#include "settings/PlotPreferences.h"

#include <charconv>
#include <map>

#include "settings/PreferencesFile.h"

namespace grafolux {

namespace {

std::string ValueOf(const std::map<std::string, std::string>& values, const char* key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

}  // namespace

PlotPreferences LoadPlotPreferences(const std::string& path) {
    const std::map<std::string, std::string> values = ReadPreferences(path);
    PlotPreferences preferences;
    preferences.x = ValueOf(values, "Plots/X");
    preferences.y = ValueOf(values, "Plots/Y");
    preferences.colour = ValueOf(values, "Plots/Colour");
    const std::string bins = ValueOf(values, "Plots/Bins");
    int32_t count = 0;
    const auto [end, error] = std::from_chars(bins.data(), bins.data() + bins.size(), count);
    if (error == std::errc() && end == bins.data() + bins.size() && count >= 1)
        preferences.bins = count;
    preferences.percent = ValueOf(values, "Plots/Percent") == "true";
    return preferences;
}

bool SavePlotPreferences(const std::string& path, const PlotPreferences& preferences,
                         std::string* error) {
    const std::map<std::string, std::string> values = {
        {"Plots/X", preferences.x},
        {"Plots/Y", preferences.y},
        {"Plots/Colour", preferences.colour},
        {"Plots/Bins", std::to_string(preferences.bins)},
        {"Plots/Percent", preferences.percent ? "true" : "false"}};
    return WritePreferencesGroup(path, "Plots", values, error);
}

}  // namespace grafolux
