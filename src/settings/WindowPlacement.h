#pragma once
// Restoring a saved window rectangle inside the screen.

#include "settings/SettingsFile.h"

namespace grafolux {

// Moved left/up so it ends inside the screen, then to no less than 0 (twips).
WindowState ClampToScreen(WindowState window, int32_t screenWidth, int32_t screenHeight);

}  // namespace grafolux
