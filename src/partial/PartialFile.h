#pragma once
// Partials in files, and merging a list of them, each named in what goes wrong.

#include <optional>
#include <string>
#include <variant>

#include "partial/Partial.h"

namespace grafolux {

// The partial in the file, or one line naming the file and saying why it holds none.
std::variant<Partial, std::string> ReadPartialFile(const std::string& path);

// Writes the partial atomically: a failure keeps what was there and says why, naming the file.
std::optional<std::string> WritePartialFile(const std::string& path, const Partial& partial);

// Partials added up one after another, each known by a name (its file).
class PartialMerge {
public:
    // Adds the partial, or says in one line why it cannot be: it does not match the first (both
    // named, and what differs), or a cell would count too many samples.
    std::optional<std::string> Add(const Partial& partial, const std::string& name);
    // Everything added; nothing before the first Add.
    const std::optional<Partial>& merged() const { return merged_; }

private:
    std::optional<Partial> merged_;
    std::string firstName_;
};

}  // namespace grafolux
