#pragma once
// The window's fixed colours.

#include "logdata/Colour.h"

namespace grafolux {

struct DisplayColors {
    Colour lngBackColor = RGB(0, 0, 0);
    Colour lngForeColor = RGB(255, 255, 255);
    Colour lngTextColor = RGB(0, 255, 255);
    Colour lngGridColor = RGB(64, 64, 64);
    Colour lngItemColor = RGB(0, 0, 192);
    // What the window shows above the graph, never in it: apart from the colours above and
    // from the current curve's red.
    Colour lngCursorColor = RGB(255, 255, 0);
    Colour lngMarkerAColor = RGB(0, 224, 0);
    Colour lngMarkerBColor = RGB(255, 64, 255);
    Colour lngCellMarkColor = RGB(255, 160, 0);
    Colour lngFindMarkColor = RGB(255, 96, 160);
    Colour lngSpanColor = RGB(96, 128, 255);
};

}  // namespace grafolux
