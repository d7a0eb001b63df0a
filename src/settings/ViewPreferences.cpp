#include "settings/ViewPreferences.h"

#include <map>

#include "settings/PreferencesFile.h"

namespace grafolux {

namespace {

constexpr const char* kViewGroup = "View";

// Each choice with its key.
struct Keyed {
    const char* key;
    bool ViewPreferences::*choice;
};
constexpr Keyed kKeys[] = {
    {"View/DistinctLockColours", &ViewPreferences::distinctLockColours},
    {"View/KeepItemsAcrossLogs", &ViewPreferences::keepItemsAcrossLogs},
    {"View/WheelZoom", &ViewPreferences::wheelZoom},
};

}  // namespace

ViewPreferences LoadViewPreferences(const std::string& path) {
    const std::map<std::string, std::string> values = ReadPreferences(path);
    ViewPreferences preferences;
    for (const Keyed& keyed : kKeys) {
        const auto found = values.find(keyed.key);
        preferences.*keyed.choice = found != values.end() && found->second == "true";
    }
    return preferences;
}

bool SaveViewPreferences(const std::string& path, const ViewPreferences& preferences,
                         std::string* error) {
    std::map<std::string, std::string> values;
    for (const Keyed& keyed : kKeys)
        values[keyed.key] = preferences.*keyed.choice ? "true" : "false";
    return WritePreferencesGroup(path, kViewGroup, values, error);
}

}  // namespace grafolux
