#pragma once
// Text functions of the settings reader. Positions are 1-based; comparison mode 0 is exact,
// 1 without regard to letter case.

#include <cstdint>
#include <string>
#include <string_view>

namespace grafolux {

// Without leading and trailing space, tab, LF and CR; a text made only of those comes back
// unchanged.
std::string TrimWhite(std::string_view text);

bool GetSetting(std::string_view settingsText, std::string_view key, std::string& value);
std::string PopLine(std::string& text);
std::string StripComment(std::string_view line, std::string_view marker, std::string_view quotes);
int32_t FindText(int32_t start, std::string_view text, std::string_view searched,
                 int32_t compareMode);
std::string GetFieldEx(std::string_view line, int32_t index, std::string_view separator,
                       int32_t compareMode);
std::string NormalizeLines(std::string_view text);
std::string ReplaceAll(std::string& text, std::string_view searched, std::string_view replacement);
int32_t CountLines(std::string_view text);
std::string GetLine(std::string_view text, int32_t index);

}  // namespace grafolux
