#include "plots/ScatterDrawing.h"

#include <QRgb>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "draw/DisplayText.h"
#include "draw/NumberFormat.h"
#include "graph/Legend.h"
#include "plots/PlotFrame.h"

namespace grafolux {

namespace {

struct Stop {
    double r, g, b;
};

template <size_t N>
Colour Along(const std::array<Stop, N>& stops, double fraction) {
    const double at = std::clamp(std::isnan(fraction) ? 0.0 : fraction, 0.0, 1.0) * (N - 1);
    const size_t i = std::min(static_cast<size_t>(at), N - 2);
    const double t = at - static_cast<double>(i);
    const auto mix = [&](double a, double b) {
        return static_cast<int>(std::lround(a + (b - a) * t));
    };
    return RGB(mix(stops[i].r, stops[i + 1].r), mix(stops[i].g, stops[i + 1].g),
               mix(stops[i].b, stops[i + 1].b));
}

// Where `count` samples lie on a density scale whose top is the fullest pixel's `highest`:
// logarithmic, so that a few samples still show beside thousands.
double DensityFraction(uint32_t count, uint32_t highest) {
    return highest > 1 ? std::log(static_cast<double>(count)) / std::log(highest) : 1.0;
}

constexpr std::array<Stop, 3> kDensityStops = {{{48, 64, 200}, {0, 200, 255}, {255, 255, 255}}};
constexpr std::array<Stop, 3> kVersusDensityStops = {{{170, 0, 0}, {255, 48, 48}, {255, 150, 120}}};
constexpr std::array<Stop, 5> kMeanStops = {
    {{128, 64, 192}, {48, 112, 224}, {32, 176, 144}, {144, 212, 64}, {253, 231, 37}}};

// The lowest and highest of an item's values over the logs drawn (at least one has some).
std::pair<double, double> Bounds(const KeptSamples& shown, const KeptSamples* versus, size_t item) {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const KeptSamples* kept : {&shown, versus})
        if (kept)
            for (const double value : kept->values[item]) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
    return {low, high};
}

// The shades of the counts up to the fullest pixel's, each worked out once.
class Shades {
public:
    Shades(Colour (*shade)(uint32_t, uint32_t), uint32_t highest)
        : shade_(shade), highest_(highest), table_(std::min(highest, kMostShades) + 1) {
        for (uint32_t count = 1; count < table_.size(); ++count)
            table_[count] = ToQColor(shade(count, highest)).rgb();
    }
    QRgb operator()(uint32_t count) const {
        return count < table_.size() ? table_[count] : ToQColor(shade_(count, highest_)).rgb();
    }

private:
    static constexpr uint32_t kMostShades = 1 << 16;
    Colour (*shade_)(uint32_t, uint32_t);
    uint32_t highest_;
    std::vector<QRgb> table_;
};

// The mean scale from the lowest to the highest pixel mean in steps finer than the eye tells
// apart, each worked out once, so that a pixel's colour is a look-up.
class MeanShades {
public:
    MeanShades(double low, double high) : low_(low), high_(high) {
        for (size_t step = 0; step <= kSteps; ++step)
            table_[step] = ToQColor(Along(kMeanStops, static_cast<double>(step) / kSteps)).rgb();
    }
    QRgb operator()(double mean) const {
        if (!(high_ > low_)) return table_[kSteps / 2];
        const double fraction = std::clamp(FractionOf(mean, low_, high_), 0.0, 1.0);
        return table_[static_cast<size_t>(fraction * kSteps + 0.5)];
    }

private:
    static constexpr size_t kSteps = 1024;
    double low_, high_;
    std::array<QRgb, kSteps + 1> table_;
};

// Each pixel with a point takes `colour` of its column and row.
template <typename PixelColour>
void SetPixels(Surface& canvas, const PointGrid& grid, PixelColour colour) {
    QImage& image = canvas.image();
    const int32_t rows = std::min(grid.height(), image.height());
    const int32_t columns = std::min(grid.width(), image.width());
    for (int32_t row = 0; row < rows; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int32_t column = 0; column < columns; ++column)
            if (const uint32_t count = grid.CountAt(column, row))
                line[column] = colour(count, column, row);
    }
}

void SetShownPixels(Surface& canvas, const PointGrid& grid) {
    if (!grid.hasColours()) {
        const Shades shades(DensityColour, grid.highestCount());
        return SetPixels(canvas, grid,
                         [&](uint32_t count, int32_t, int32_t) { return shades(count); });
    }
    const auto means = grid.MeanRange();
    if (!means)
        return SetPixels(canvas, grid,
                         [](uint32_t, int32_t, int32_t) { return ToQColor(kNoMeanColour).rgb(); });
    const MeanShades shades(means->first, means->second);
    const QRgb none = ToQColor(kNoMeanColour).rgb();
    SetPixels(canvas, grid, [&](uint32_t, int32_t column, int32_t row) {
        const auto mean = grid.MeanAt(column, row);
        return mean ? shades(*mean) : none;
    });
}

QString Grouped(int64_t count) { return FormatGrouped(static_cast<double>(count), 0); }

void AddScaleLegend(DrawingArea& area, const PointGrid& grid, const ScatterItems& items,
                    const DisplayColors& colors) {
    if (!grid.hasColours()) {
        const uint32_t highest = grid.highestCount();
        AddLegendEntry(area, DensityColour(1, highest), "Per pixel",
                       LegendRange(area, 1, highest, 0), colors);
        AddLegendEntry(area, DensityColour(highest, highest), "", "", colors);
        return;
    }
    const QString name = DisplayText(*items.colour);
    const auto means = grid.MeanRange();
    if (!means) {
        AddLegendEntry(area, kNoMeanColour, name, "no value", colors);
        return;
    }
    AddLegendEntry(area, MeanColour(0, 0, 1), name, "Low " + FormatGeneral(means->first, 6),
                   colors);
    AddLegendEntry(area, MeanColour(1, 0, 1), "", "High " + FormatGeneral(means->second, 6),
                   colors);
}

// B's swatch, name and shades, or why it has no point.
void AddVersusLegend(DrawingArea& area, const VersusSamples& versus,
                     const std::optional<PointGrid>& grid, const DisplayColors& colors) {
    if (const auto* lack = std::get_if<PlotLack>(&versus.samples))
        return AddLegendText(area, versus.name, "has no item " + DisplayText(lack->item), colors);
    const auto& kept = std::get<KeptSamples>(versus.samples);
    if (kept.count() == 0) return AddLegendText(area, versus.name, "no sample left", colors);
    const uint32_t highest = grid->highestCount();
    AddLegendEntry(area, VersusDensityColour(1, highest), versus.name,
                   LegendRange(area, 1, highest, 0), colors);
    AddLegendEntry(area, VersusDensityColour(highest, highest), "",
                   Grouped(static_cast<int64_t>(kept.count())) + " shown", colors);
}

}  // namespace

std::vector<std::string> ItemsOf(const ScatterItems& items) {
    std::vector<std::string> names = {items.x, items.y};
    if (items.colour) names.push_back(*items.colour);
    return names;
}

std::variant<KeptSamples, PlotLack> KeepScatterSamples(
    std::span<const TableSource> logs, const ScatterItems& items,
    std::span<const SampleCondition> conditions) {
    return KeepSamples(logs, ItemsOf(items), 2, conditions);
}

VersusSamples KeepVersusSamples(QString name, const TableSource& source, const ScatterItems& items,
                                std::span<const SampleCondition> conditions) {
    return {std::move(name),
            KeepScatterSamples({&source, 1}, {items.x, items.y, std::nullopt}, conditions)};
}

Colour DensityColour(uint32_t count, uint32_t highest) {
    return Along(kDensityStops, DensityFraction(count, highest));
}

Colour VersusDensityColour(uint32_t count, uint32_t highest) {
    return Along(kVersusDensityStops, DensityFraction(count, highest));
}

Colour MeanColour(double mean, double low, double high) {
    return Along(kMeanStops, high > low ? FractionOf(mean, low, high) : 0.5);
}

void DrawPlotNotice(DrawingArea& area, const QString& notice, const DisplayColors& colors) {
    Surface& graph = area.pbGraph;
    graph.SetForeColor(colors.lngTextColor);
    graph.PrintAt(std::max(0.0, (graph.Width() - graph.TextWidth(notice)) / 2),
                  std::max(0.0, (graph.Height() - graph.TextHeight(notice)) / 2), notice);
}

void AddSampleLegend(DrawingArea& area, const KeptSamples& kept,
                     std::span<const SampleCondition> conditions, const DisplayColors& colors) {
    AddLegendText(area, "Samples shown", Grouped(static_cast<int64_t>(kept.count())), colors);
    AddLegendText(area, "In range", Grouped(kept.inRange), colors);
    for (size_t c = 0; c < conditions.size(); ++c) {
        // A filter no log can test changes nothing (and the copied command leaves it out).
        const bool nowhere = std::all_of(
            kept.missingConditions.begin(), kept.missingConditions.end(), [c](const auto& missing) {
                return std::find(missing.begin(), missing.end(), c) != missing.end();
            });
        if (!nowhere)
            AddLegendText(area, DisplayText(ConditionDisplayText(conditions[c])),
                          "drops " + Grouped(kept.failing[c]), colors);
    }
    if (kept.withoutValue > 0)
        AddLegendText(area, "Without a value", Grouped(kept.withoutValue), colors);
}

std::optional<ScatterGrids> DrawScatter(DrawingArea& area, const KeptSamples& kept,
                                        const ScatterItems& items,
                                        std::span<const SampleCondition> conditions,
                                        const DisplayColors& colors, const VersusSamples* versus) {
    const PlotPixels pixels = PlacePlot(area);
    AddLegendText(area, "X", DisplayText(items.x), colors);
    AddLegendText(area, "Y", DisplayText(items.y), colors);
    const KeptSamples* versusKept = versus ? std::get_if<KeptSamples>(&versus->samples) : nullptr;
    if (kept.count() == 0 && (!versusKept || versusKept->count() == 0)) {
        if (items.colour) AddLegendText(area, "Colour", DisplayText(*items.colour), colors);
        AddSampleLegend(area, kept, conditions, colors);
        if (versus) AddVersusLegend(area, *versus, std::nullopt, colors);
        DrawPlotNotice(area, "No sample is left to plot", colors);
        return std::nullopt;
    }
    const auto [xLow, xHigh] = Bounds(kept, versusKept, 0);
    const auto [yLow, yHigh] = Bounds(kept, versusKept, 1);
    ScatterGrids grids{
        PointGrid(PlotAxis::For(xLow, xHigh, pixels.width, MostStepsAcross(pixels.width)),
                  PlotAxis::For(yLow, yHigh, pixels.height, MostStepsDown(pixels.height))),
        std::nullopt};
    PointGrid& grid = grids.shown;
    grid.Add(kept.values[0], kept.values[1],
             items.colour ? std::span<const double>(kept.values[2]) : std::span<const double>());
    DrawPlotFrame(area, grid.xAxis(), grid.yAxis(), colors);
    SetShownPixels(area.pbGraphContents, grid);
    if (versusKept) {
        grids.versus.emplace(grid.xAxis(), grid.yAxis());
        grids.versus->Add(versusKept->values[0], versusKept->values[1]);
        const Shades shades(VersusDensityColour, grids.versus->highestCount());
        SetPixels(area.pbGraphContents, *grids.versus,
                  [&](uint32_t count, int32_t, int32_t) { return shades(count); });
    }
    if (kept.count() > 0) AddScaleLegend(area, grid, items, colors);
    if (versus) AddVersusLegend(area, *versus, grids.versus, colors);
    AddSampleLegend(area, kept, conditions, colors);
    return grids;
}

}  // namespace grafolux
