#include "graph/Legend.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "draw/NumberFormat.h"

namespace grafolux {

namespace {

// Entry geometry in screen pixels (scaled to twips below); the gap to the text is in twips.
constexpr double kPitchPixels = 40;
constexpr double kSwatchHeightPixels = 28;
constexpr double kSwatchWidthPixels = 20;
constexpr double kMarginPixels = 5;
constexpr double kTextGap = 90;

double Scaled(double pixels) { return std::nearbyint(pixels * kTwipsPerPixel); }

// Where an entry's text starts.
double TextLeft() { return Scaled(kMarginPixels) + Scaled(kSwatchWidthPixels) + kTextGap; }

void SetEntryFont(Surface& legend) { legend.SetFont("Arial", 8, true); }

void AddEntry(DrawingArea& area, std::optional<Colour> swatch, const QString& strEntryName,
              const QString& values, const DisplayColors& colors) {
    Surface& legend = area.pbLegend;
    const int32_t n = ++area.lngLegendLines;
    legend.SetForeColor(colors.lngForeColor);
    SetEntryFont(legend);

    const double pitch = Scaled(kPitchPixels), m = Scaled(kMarginPixels);
    const double sw = Scaled(kSwatchWidthPixels), sh = Scaled(kSwatchHeightPixels);
    const double top = (n - 1.0) * pitch + m;
    if (swatch) legend.Box(m, top, m + sw, top + sh, *swatch, true);

    legend.PrintAt(TextLeft(), top, strEntryName);

    legend.SetForeColor(colors.lngTextColor);
    legend.PrintAt(TextLeft(), top + legend.TextHeight(values), values);
}

}  // namespace

QString LegendRange(DrawingArea& area, double low, double high, int decimals) {
    Surface& legend = area.pbLegend;
    SetEntryFont(legend);
    const QString separator = " - ";
    // Each number may take half the room, and what the other leaves of its half.
    const double room = legend.Width() - TextLeft() - legend.TextWidth(separator), half = room / 2;
    const double lowWidth = legend.TextWidth(FormatGrouped(low, decimals));
    const double highWidth = legend.TextWidth(FormatGrouped(high, decimals));
    return FittedNumber(legend, low, decimals, room - std::min(highWidth, half)) + separator +
           FittedNumber(legend, high, decimals, room - std::min(lowWidth, half));
}

void AddLegendEntry(DrawingArea& area, Colour lngEntryColor, const QString& strEntryName,
                    const QString& values, const DisplayColors& colors) {
    AddEntry(area, lngEntryColor, strEntryName, values, colors);
}

void AddLegendText(DrawingArea& area, const QString& first, const QString& second,
                   const DisplayColors& colors) {
    AddEntry(area, std::nullopt, first, second, colors);
}

}  // namespace grafolux
