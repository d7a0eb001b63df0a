#include "graph/Legend.h"

#include <cmath>
#include <optional>

namespace grafolux {

namespace {

// Entry geometry in screen pixels (scaled to twips below); the gap to the text is in twips.
constexpr double kPitchPixels = 40;
constexpr double kSwatchHeightPixels = 28;
constexpr double kSwatchWidthPixels = 20;
constexpr double kMarginPixels = 5;
constexpr double kTextGap = 90;

double Scaled(double pixels) { return std::nearbyint(pixels * kTwipsPerPixel); }

void AddEntry(DrawingArea& area, std::optional<Colour> swatch, const QString& strEntryName,
              const QString& values, const DisplayColors& colors) {
    Surface& legend = area.pbLegend;
    const int32_t n = ++area.lngLegendLines;
    legend.SetForeColor(colors.lngForeColor);
    legend.SetFont("Arial", 8, true);

    const double pitch = Scaled(kPitchPixels), m = Scaled(kMarginPixels);
    const double sw = Scaled(kSwatchWidthPixels), sh = Scaled(kSwatchHeightPixels);
    const double top = (n - 1.0) * pitch + m;
    if (swatch) legend.Box(m, top, m + sw, top + sh, *swatch, true);

    legend.PrintAt(m + sw + kTextGap, top, strEntryName);

    legend.SetForeColor(colors.lngTextColor);
    legend.PrintAt(m + sw + kTextGap, top + legend.TextHeight(values), values);
}

}  // namespace

void AddLegendEntry(DrawingArea& area, Colour lngEntryColor, const QString& strEntryName,
                    const QString& values, const DisplayColors& colors) {
    AddEntry(area, lngEntryColor, strEntryName, values, colors);
}

void AddLegendText(DrawingArea& area, const QString& first, const QString& second,
                   const DisplayColors& colors) {
    AddEntry(area, std::nullopt, first, second, colors);
}

}  // namespace grafolux
