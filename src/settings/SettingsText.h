#pragma once
// Text functions of the settings reader. Positions are 1-based; comparison mode 0 is exact,
// any other mode without regard to letter case.

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

// The text up to its first CR or LF; `text` loses the line and all CR and LF right after it.
std::string PopLine(std::string& text);

// The line cut before the first `marker` that is not between two equal characters of `quotes`.
std::string StripComment(std::string_view line, std::string_view marker, std::string_view quotes);

// Position of the first `searched` at or after `start`; 0 when there is none or the start lies
// beyond the text. A start below 1 searches from the first character.
int32_t FindText(int32_t start, std::string_view text, std::string_view searched,
                 int32_t compareMode);

// GetField with the separator compared by `compareMode`.
std::string GetFieldEx(std::string_view line, int32_t index, std::string_view separator,
                       int32_t compareMode);

// Every CR LF, CR and run of line breaks becomes one LF.
std::string NormalizeLines(std::string_view text);

// Replaces `searched` (without regard to letter case) by `replacement`, searching again from
// the front after each replacement; returns the count as decimal text. An empty `searched`
// replaces nothing, and a replacement that holds `searched` is not searched again.
std::string ReplaceAll(std::string& text, std::string_view searched, std::string_view replacement);

// The lines of NormalizeLines(text): a final LF adds no line, a leading LF gives an empty
// first line, the empty text has none.
std::vector<std::string> SplitLines(std::string_view text);
int32_t CountLines(std::string_view text);
// Line `index` of SplitLines(text); -1 is the last line, any other index out of range gives
// the empty text.
std::string GetLine(std::string_view text, int32_t index);

}  // namespace grafolux
