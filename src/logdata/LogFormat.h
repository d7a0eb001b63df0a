#pragma once
// The rules of the log file format that every reader of a log shares: where lines end and
// which fields of the header name items. The loader and the bit-order correction both follow
// them.

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace grafolux {

// CR LF and CR end a line in every file. A lone LF ends a line only in a file that uses LF
// line ends (AnyEnd): its first LF comes before its first CR, or it has LFs and no CR. In
// every other file (CrLfOrCr) a lone LF is part of the line's text.
enum class LineEndRule { CrLfOrCr, AnyEnd };

// The rule decided by the first CR or LF of `bytes`, the start of a file; none while there is
// neither.
std::optional<LineEndRule> LineEndRuleOf(std::string_view bytes);

// Position of the first CR or LF in `text`, or npos: under either rule that byte ends line 1.
size_t FirstLineEnd(std::string_view text);

// The item names of a header line (without its line end): its tab-separated fields up to, not
// including, the first empty field, as views into `header`. A trailing tab adds no name.
std::vector<std::string_view> HeaderNames(std::string_view header);

}  // namespace grafolux
