#include "settings/DefinitionPreferences.h"

#include <algorithm>

#include "formula/Definitions.h"
#include "settings/PreferencesFile.h"

namespace grafolux {

namespace {

constexpr const char* kItemsGroup = "Items";

std::string DefinitionKey(size_t n) {
    return std::string(kItemsGroup) + "/Definition" + std::to_string(n);
}

}  // namespace

std::vector<std::string> DefinitionsFrom(const std::map<std::string, std::string>& values) {
    std::vector<std::string> texts;
    for (size_t n = 1; n <= kMaxDefinitions; ++n) {
        const auto found = values.find(DefinitionKey(n));
        if (found == values.end()) break;
        texts.push_back(found->second);
    }
    return SoundDefinitions(std::move(texts));
}

std::map<std::string, std::string> DefinitionsValues(const std::vector<std::string>& definitions) {
    std::map<std::string, std::string> values;
    const size_t kept = std::min<size_t>(definitions.size(), kMaxDefinitions);
    for (size_t i = 0; i < kept; ++i) values[DefinitionKey(i + 1)] = definitions[i];
    return values;
}

std::vector<std::string> LoadDefinitions(const std::string& path) {
    return DefinitionsFrom(ReadPreferences(path));
}

bool SaveDefinitions(const std::string& path, const std::vector<std::string>& definitions,
                     std::string* error) {
    return WritePreferencesGroup(path, kItemsGroup, DefinitionsValues(definitions), error);
}

}  // namespace grafolux
