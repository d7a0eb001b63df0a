#pragma once
// Colours as the window stores them, for everything that draws or writes pictures.

#include <cstdint>

namespace grafolux {

// A colour as the window stores it: red + 256 * green + 65536 * blue.
using Colour = int32_t;

constexpr Colour RGB(int r, int g, int b) { return r + 256 * g + 65536 * b; }

}  // namespace grafolux
