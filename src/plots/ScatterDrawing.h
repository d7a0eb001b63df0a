#pragma once
// The scatter plot of one item against another on the shared drawing area: each kept sample a
// point on its pixel, a pixel's shade the samples on it or, with a colour item, the mean of
// that item over them; the legend says what is plotted and what was dropped.

#include <QString>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "draw/DisplayColors.h"
#include "draw/DrawingArea.h"
#include "plots/KeptSamples.h"
#include "plots/PointGrid.h"

namespace grafolux {

struct ScatterItems {
    std::string x, y;
    std::optional<std::string> colour;
    bool operator==(const ScatterItems&) const = default;
};

// The items a scatter plot reads, X and Y first (those must have a value), then the colour item.
std::vector<std::string> ItemsOf(const ScatterItems& items);
// The samples of `logs` it plots.
std::variant<KeptSamples, PlotLack> KeepScatterSamples(std::span<const TableSource> logs,
                                                       const ScatterItems& items,
                                                       std::span<const SampleCondition> conditions);

// Log B of a comparison: its samples kept as the shown log's are (X and Y only, no colour
// item), or the item it lacks. Its points are drawn in a colour of their own over the shown
// log's, on axes that hold both.
struct VersusSamples {
    QString name;  // for the legend
    std::variant<KeptSamples, PlotLack> samples;
};

// B's samples in `source` for a scatter plot of `items`.
VersusSamples KeepVersusSamples(QString name, const TableSource& source, const ScatterItems& items,
                                std::span<const SampleCondition> conditions);

// The points' pixels: the shown log's, and with a comparison B's on the same axes.
struct ScatterGrids {
    PointGrid shown;
    std::optional<PointGrid> versus;
};

// A pixel's shade for `count` samples when the fullest pixel holds `highest`: along a
// logarithmic scale from dark blue (1) through cyan to white (highest).
Colour DensityColour(uint32_t count, uint32_t highest);
// The shade of B's pixels, as DensityColour's but from dark red through red to salmon.
Colour VersusDensityColour(uint32_t count, uint32_t highest);
// A mean's colour between the scale's `low` and `high` ends: purple, blue, green, yellow.
Colour MeanColour(double mean, double low, double high);
// A pixel whose samples have no value of the colour item.
constexpr Colour kNoMeanColour = RGB(128, 128, 128);

// Draws the kept samples (values: X, Y and the colour item's when one is given), and B's over
// them; the points' grids, none when no sample is kept (the plot says so).
std::optional<ScatterGrids> DrawScatter(DrawingArea& area, const KeptSamples& kept,
                                        const ScatterItems& items,
                                        std::span<const SampleCondition> conditions,
                                        const DisplayColors& colors,
                                        const VersusSamples* versus = nullptr);

// A plot that cannot be drawn: the reason, in the middle of the drawing area.
void DrawPlotNotice(DrawingArea& area, const QString& notice, const DisplayColors& colors);

// The legend's lines on the samples: shown, dropped by each filter, without a value.
void AddSampleLegend(DrawingArea& area, const KeptSamples& kept,
                     std::span<const SampleCondition> conditions, const DisplayColors& colors);

}  // namespace grafolux
