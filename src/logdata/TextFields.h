#pragma once
// The text rules shared by the loader, the settings reader and the correction.

#include <cstdint>
#include <string>
#include <string_view>

namespace grafolux {

// A decimal digit, whatever the locale.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without the spaces and tabs at its ends.
std::string_view Trimmed(std::string_view text);

// The number rule: blanks removed, optional sign, digits with one '.', optional exponent,
// or &H / &O integers; reading stops at the first character that cannot continue the
// number. Text without a number, and numbers beyond a double or 32 bits, read as 0.
double Val(std::string_view text);

// Position (0-based) of the first `searched` in `text` at or after `from`, compared exactly or
// without regard to letter case; npos when there is none. The empty text is never found.
size_t FindInText(std::string_view text, std::string_view searched, size_t from, bool ignoreCase);

// Field `index` (1-based) of `line` split at `separator` (compared without regard to
// letter case). An index out of range gives the empty text; a trailing CR LF is dropped.
std::string_view GetField(std::string_view line, int32_t index, std::string_view separator);

// The shortest text that reads back (by strtod) to the same double, appended to `text`:
// "0.30000000000000004", "1e+300", "-0", "inf".
std::string& AppendShortestText(std::string& text, double value);
std::string ShortestText(double value);

// The text with its line breaks written as \r and \n, so that a message quoting it stays one
// line.
std::string OnOneLine(std::string_view text);

}  // namespace grafolux
