#pragma once
// Number texts of the views, in the user's locale.

#include <QString>

namespace grafolux {

// "##,##0" (decimals 0) and "##,##0.00" (decimals 2): digit grouping, halves to even.
QString FormatGrouped(double value, int decimals);

// General form for the low and high value labels: up to 15 significant digits,
// no grouping ("12.5", "3000", "-0.25", "1E+20"); a missing value (NaN) is "—".
QString FormatGeneral(double value);

}  // namespace grafolux
