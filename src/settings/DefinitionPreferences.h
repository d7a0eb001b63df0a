#pragma once
// The computed items' definitions, kept in "Preferences.ini" as Items/Definition1,
// Items/Definition2 … in their order, and applied to every log loaded.

#include <map>
#include <string>
#include <vector>

namespace grafolux {

// At most this many are kept.
constexpr int kMaxDefinitions = 1000;

// From the file's keys and their texts: Definition1, Definition2 … up to the first one absent,
// without those that do not parse as part of the list (each read on its own, a pure function on
// text, whatever the file held).
std::vector<std::string> DefinitionsFrom(const std::map<std::string, std::string>& values);
// The keys and texts that DefinitionsFrom reads back to `definitions` (a list that parses).
std::map<std::string, std::string> DefinitionsValues(const std::vector<std::string>& definitions);

// An absent or unreadable file gives none.
std::vector<std::string> LoadDefinitions(const std::string& path);
// Replaces the file's definitions; false with `error` set when the file cannot be written.
bool SaveDefinitions(const std::string& path, const std::vector<std::string>& definitions,
                     std::string* error = nullptr);

}  // namespace grafolux
