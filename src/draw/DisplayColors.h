#pragma once
// The window's fixed colours.

#include "logdata/LogModel.h"

namespace grafolux {

struct DisplayColors {
    Colour lngBackColor = RGB(0, 0, 0);
    Colour lngForeColor = RGB(255, 255, 255);
    Colour lngTextColor = RGB(0, 255, 255);
    Colour lngGridColor = RGB(64, 64, 64);
    Colour lngItemColor = RGB(0, 0, 192);
};

}  // namespace grafolux
