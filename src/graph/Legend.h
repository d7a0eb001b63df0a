#pragma once
// The legend box: one entry per drawn item, swatch, name and "low - high".

#include <QString>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"

namespace grafolux {

void AddLegendEntry(DrawingArea& area, Colour lngEntryColor, const QString& strEntryName,
                    const QString& strLow, const QString& strHigh, const DisplayColors& colors);

}  // namespace grafolux
