#pragma once
// Colours for the items locked on the graph that eyes with any common colour blindness still
// tell apart: the Okabe–Ito palette, less its black (the graph's background).

#include <span>

#include "logdata/Colour.h"

namespace grafolux {

// The first colour of the palette that none of `taken` is; when all of them are, the palette
// goes round again from the number taken.
Colour DistinctLockColour(std::span<const Colour> taken);

}  // namespace grafolux
