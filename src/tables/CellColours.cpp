#include "tables/CellColours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace grafolux {

namespace {

struct Rgb {
    double r, g, b;
};

// Blue where the trims take fuel away, a dark neutral at 128, red where they add it.
constexpr std::array<Rgb, 3> kDiverging = {{{40, 90, 230}, {48, 48, 48}, {230, 50, 40}}};
// Dark to bright, evenly rising in lightness, so that more reads as brighter.
constexpr std::array<Rgb, 3> kSequential = {{{50, 20, 90}, {30, 145, 140}, {250, 230, 40}}};

Colour Mix(const std::array<Rgb, 3>& stops, double fraction) {
    const double t = std::clamp(std::isnan(fraction) ? 0.5 : fraction, 0.0, 1.0) * 2;
    const Rgb& a = stops[t < 1 ? 0 : 1];
    const Rgb& b = stops[t < 1 ? 1 : 2];
    const double u = t < 1 ? t : t - 1;
    const auto channel = [u](double x, double y) {
        return static_cast<int>(std::lround(x + (y - x) * u));
    };
    return RGB(channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b));
}

// Relative luminance of an sRGB colour.
double Luminance(Colour colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
           0.0722 * linear((colour >> 16) & 0xFF);
}

}  // namespace

ColourScale ScaleFor(const CellTable& table, const CellShow& show) {
    ColourScale scale;
    scale.statistic = show.statistic;
    if (show.statistic != CellStatistic::Count && show.statistic != CellStatistic::StdDev)
        return scale;
    scale.low = 0;
    scale.high = 1;
    for (int k = 1; k <= kTableRows; ++k)
        for (int m = 1; m <= kTableColumns; ++m)
            if (const ShownCell cell = CellShown(table, show, k, m); cell.available)
                scale.high = std::max(scale.high, cell.value);
    return scale;
}

Colour ScaleColour(const ColourScale& scale, double value) {
    return ScaleColourAt(scale, (value - scale.low) / (scale.high - scale.low));
}

bool IsDiverging(const ColourScale& scale) {
    return scale.difference ||
           (scale.statistic != CellStatistic::Count && scale.statistic != CellStatistic::StdDev);
}

Colour ScaleColourAt(const ColourScale& scale, double fraction) {
    return Mix(IsDiverging(scale) ? kDiverging : kSequential, fraction);
}

double ContrastRatio(Colour a, Colour b) {
    const double x = Luminance(a) + 0.05, y = Luminance(b) + 0.05;
    return std::max(x, y) / std::min(x, y);
}

Colour ReadableTextOn(Colour background) {
    constexpr Colour kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
    return ContrastRatio(background, kWhite) >= ContrastRatio(background, kBlack) ? kWhite : kBlack;
}

}  // namespace grafolux
