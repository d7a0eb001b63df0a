#include "draw/LockColours.h"

#include <algorithm>
#include <array>

namespace grafolux {

namespace {

constexpr std::array kPalette = {
    RGB(230, 159, 0),    // orange
    RGB(86, 180, 233),   // sky blue
    RGB(0, 158, 115),    // bluish green
    RGB(240, 228, 66),   // yellow
    RGB(0, 114, 178),    // blue
    RGB(213, 94, 0),     // vermillion
    RGB(204, 121, 167),  // reddish purple
};

}  // namespace

Colour DistinctLockColour(std::span<const Colour> taken) {
    for (const Colour colour : kPalette)
        if (std::find(taken.begin(), taken.end(), colour) == taken.end()) return colour;
    return kPalette[taken.size() % kPalette.size()];
}

}  // namespace grafolux
