#pragma once
// A fuel map from its text, for tests that know the text reads.

#include <string_view>
#include <variant>

#include "tables/FuelMap.h"

namespace grafolux {

inline FuelMap MapOf(std::string_view text) { return std::get<FuelMap>(ParseFuelMap(text, "map")); }

}  // namespace grafolux
