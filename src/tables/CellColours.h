#pragma once
// Cell colouring: a diverging scale around the trims' neutral 128 for Mean, Minimum and
// Maximum, a sequential scale for Count and for Std Dev, and the text colour that reads best
// on each background.

#include <vector>

#include "logdata/Colour.h"
#include "tables/CellDisplay.h"

namespace grafolux {

constexpr double kTrimNeutral = 128;
constexpr double kTrimSaturation = 16;  // the scale's ends at 128 - 16 and 128 + 16

// The values at the scale's two ends: 112 and 144 for the trims; 0 and the largest value a
// cell shows for Count and Std Dev (at least 1, so that the scale has a length).
struct ColourScale {
    CellStatistic statistic = CellStatistic::Mean;
    double low = kTrimNeutral - kTrimSaturation;
    double high = kTrimNeutral + kTrimSaturation;
    bool difference = false;  // B − A: diverging around 0 whatever the statistic
};
ColourScale ScaleFor(const CellTable& table, const CellShow& show);

// Blue below the middle, red above it: the trims' scale and every difference's.
bool IsDiverging(const ColourScale& scale);

// A value's colour on the scale (values beyond its ends take the end's colour).
Colour ScaleColour(const ColourScale& scale, double value);
// At `fraction` 0 .. 1 along the scale, for drawing its key.
Colour ScaleColourAt(const ColourScale& scale, double fraction);

// The contrast ratio of two colours, 1 (alike) to 21 (black on white), from their relative
// luminance.
double ContrastRatio(Colour a, Colour b);

// Black or white, whichever contrasts more with the background.
Colour ReadableTextOn(Colour background);

}  // namespace grafolux
