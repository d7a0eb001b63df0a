#pragma once
// Number texts of the views, in the user's locale.

#include <QString>

namespace grafolux {

// "##,##0" (decimals 0) and "##,##0.00" (decimals 2): digit grouping, halves to even.
QString FormatGrouped(double value, int decimals);

class Surface;

// The grouped form when it fits `room` twips in `surface`'s font; else the exponent form
// ("1.23E+308") with as many of two decimals as fit, or with none when none fits.
QString FittedNumber(const Surface& surface, double value, int decimals, double room);

// General form for the low and high value labels: up to 15 significant digits,
// no grouping ("12.5", "3000", "-0.25", "1E+20"); a missing value (NaN) is "—". With fewer
// `digits`, a number that needs more of them is rounded to them ("0.2" for 0.200000000000003
// with 10), and one that needs no more prints as with 15.
QString FormatGeneral(double value, int digits = 15);

}  // namespace grafolux
