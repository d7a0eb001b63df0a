#pragma once
// The legend box: one entry per drawn item, swatch, name and "low - high" (or "no value").

#include <QString>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"

namespace grafolux {

// `values` is the entry's second line.
void AddLegendEntry(DrawingArea& area, Colour lngEntryColor, const QString& strEntryName,
                    const QString& values, const DisplayColors& colors);

// An entry of two lines of text, without a swatch.
void AddLegendText(DrawingArea& area, const QString& first, const QString& second,
                   const DisplayColors& colors);

}  // namespace grafolux
