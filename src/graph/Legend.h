#pragma once
// The legend box: one entry per drawn item, swatch, name and "low - high" (or "no value").

#include <QString>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"

namespace grafolux {

// `values` is the entry's second line.
void AddLegendEntry(DrawingArea& area, Colour lngEntryColor, const QString& strEntryName,
                    const QString& values, const DisplayColors& colors);

// An entry's second line for values `low` to `high` ("12.50 - 1,234.00", "##,##0.00" with 2
// `decimals`, "##,##0" with 0), as it is where it fits beside the swatch; else each number that
// does not fit its share there in exponent form ("1.00E+308").
QString LegendRange(DrawingArea& area, double low, double high, int decimals);

// An entry of two lines of text, without a swatch.
void AddLegendText(DrawingArea& area, const QString& first, const QString& second,
                   const DisplayColors& colors);

}  // namespace grafolux
