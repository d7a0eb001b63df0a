#pragma once
// Restoring a saved window rectangle inside the screen.

#include "settings/SettingsFile.h"

namespace grafolux {

// Moved left/up so it ends inside the screen, then to no less than 0 (twips). Computed without
// overflow; results are clamped into 32 bits.
WindowState ClampToScreen(WindowState window, int32_t screenWidth, int32_t screenHeight);

// A saved rectangle with a width or height of 0 or less is not applied to the window (its
// state still is).
bool HasArea(const WindowState& window);

}  // namespace grafolux
