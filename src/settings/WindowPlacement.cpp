#include "settings/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace grafolux {

namespace {

// One axis: an edge that lets the window run past the screen moves back by the overshoot, and
// never before 0. In 64 bits, as edge + size of two saved Longs may leave 32 bits.
int32_t FitEdge(int32_t edge, int32_t size, int32_t screenSize) {
    int64_t fitted = edge;
    if (screenSize < fitted + size) fitted = int64_t{screenSize} - size;
    return static_cast<int32_t>(
        std::clamp<int64_t>(fitted, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

WindowState ClampToScreen(WindowState window, int32_t screenWidth, int32_t screenHeight) {
    window.left = FitEdge(window.left, window.width, screenWidth);
    window.top = FitEdge(window.top, window.height, screenHeight);
    return window;
}

bool HasArea(const WindowState& window) { return window.width > 0 && window.height > 0; }

}  // namespace grafolux
