#pragma once
// Partials in files, and merging a list of them, each named in what goes wrong.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "partial/Partial.h"

namespace grafolux {

// The partial in the file, or one line naming the file and saying why it holds none.
std::variant<Partial, std::string> ReadPartialFile(const std::string& path);

// Writes the partial atomically: a failure keeps what was there and says why, naming the file.
std::optional<std::string> WritePartialFile(const std::string& path, const Partial& partial);

// Adds `more` (named `moreName`) to `into` (whose first partial is named `firstName`): nothing,
// or one line naming both when the two cannot be merged, and what differs, or naming `moreName`
// when a count would pass what a partial holds.
std::optional<std::string> MergeNamedPartial(Partial& into, const std::string& firstName,
                                             const Partial& more, const std::string& moreName);

// The partials in the files merged (at least one file), or the first fault in the files' order
// in one line: a file that holds no partial, or one that does not match the first (both named,
// and what differs), or a cell that would count more samples than a table shows. Read side by
// side on the cores, each holding one partial and its merged part at a time.
std::variant<Partial, std::string> MergePartialFiles(const std::vector<std::string>& paths);

}  // namespace grafolux
