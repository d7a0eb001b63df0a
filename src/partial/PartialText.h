#pragma once
// A partial as the bytes of its file: text, one record a line, "NAME<TAB>VALUE…", behind the
// line "grafolux partial 1" (the format's version) and ended by a check line that covers every
// byte before it, so that a file cut short or altered is refused instead of merged.

#include <string>
#include <string_view>
#include <variant>

#include "partial/Partial.h"

namespace grafolux {

inline constexpr int kPartialVersion = 1;

std::string PartialBytes(const Partial& partial);

// The check line that ends a partial whose bytes before it are `bytes`.
std::string PartialCheckLine(std::string_view bytes);

// The partial the bytes hold, or why they hold none: one line, to follow the file's name.
std::variant<Partial, std::string> ReadPartialBytes(std::string_view bytes);

}  // namespace grafolux
