#pragma once
// Text functions of the settings reader.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace grafolux {

// Without leading and trailing space, tab, LF and CR; a text made only of those comes back
// unchanged.
std::string TrimWhite(std::string_view text);

// The value of the first block "<key>" ... "</key>" or line "key=value" whose key matches
// (without regard to letter case). Reading stops at the first empty line, "#" starts a comment,
// and a block that never closes has no value. `value` is only set when the key is found.
bool GetSetting(std::string_view settingsText, std::string_view key, std::string& value);

// The line cut before the first `marker` that is not between two equal characters of `quotes`.
std::string StripComment(std::string_view line, std::string_view marker, std::string_view quotes);

// Every CR LF, CR and run of line breaks becomes one LF.
std::string NormalizeLines(std::string_view text);

// The lines of NormalizeLines(text): a final LF adds no line, a leading LF gives an empty
// first line, the empty text has none.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace grafolux
