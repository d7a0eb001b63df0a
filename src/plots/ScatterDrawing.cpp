#include "plots/ScatterDrawing.h"

#include <QRgb>
#include <algorithm>
#include <array>
#include <cmath>

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

constexpr std::array<Stop, 3> kDensityStops = {{{48, 64, 200}, {0, 200, 255}, {255, 255, 255}}};
constexpr std::array<Stop, 5> kMeanStops = {
    {{128, 64, 192}, {48, 112, 224}, {32, 176, 144}, {144, 212, 64}, {253, 231, 37}}};

// The values of one item, lowest and highest.
std::pair<double, double> Bounds(const std::vector<double>& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {*low, *high};
}

void SetPixels(Surface& canvas, const PointGrid& grid) {
    QImage& image = canvas.image();
    const int32_t rows = std::min(grid.height(), image.height());
    const int32_t columns = std::min(grid.width(), image.width());
    const auto means = grid.MeanRange();
    // The shades of the counts up to the fullest pixel's, each worked out once.
    constexpr uint32_t kMostShades = 1 << 16;
    std::vector<QRgb> shades(std::min(grid.highestCount(), kMostShades) + 1);
    for (uint32_t count = 1; count < shades.size(); ++count)
        shades[count] = ToQColor(DensityColour(count, grid.highestCount())).rgb();
    for (int32_t row = 0; row < rows; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int32_t column = 0; column < columns; ++column) {
            const uint32_t count = grid.CountAt(column, row);
            if (count == 0) continue;
            if (grid.hasColours()) {
                const auto mean = grid.MeanAt(column, row);
                line[column] =
                    ToQColor(mean ? MeanColour(*mean, means->first, means->second) : kNoMeanColour)
                        .rgb();
            } else {
                line[column] = count < shades.size()
                                   ? shades[count]
                                   : ToQColor(DensityColour(count, grid.highestCount())).rgb();
            }
        }
    }
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

Colour DensityColour(uint32_t count, uint32_t highest) {
    return Along(kDensityStops,
                 highest > 1 ? std::log(static_cast<double>(count)) / std::log(highest) : 1.0);
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

std::optional<PointGrid> DrawScatter(DrawingArea& area, const KeptSamples& kept,
                                     const ScatterItems& items,
                                     std::span<const SampleCondition> conditions,
                                     const DisplayColors& colors) {
    const PlotPixels pixels = PlacePlot(area);
    AddLegendText(area, "X", DisplayText(items.x), colors);
    AddLegendText(area, "Y", DisplayText(items.y), colors);
    if (kept.count() == 0) {
        if (items.colour) AddLegendText(area, "Colour", DisplayText(*items.colour), colors);
        AddSampleLegend(area, kept, conditions, colors);
        DrawPlotNotice(area, "No sample is left to plot", colors);
        return std::nullopt;
    }
    const auto [xLow, xHigh] = Bounds(kept.values[0]);
    const auto [yLow, yHigh] = Bounds(kept.values[1]);
    PointGrid grid(PlotAxis::For(xLow, xHigh, pixels.width, MostStepsAcross(pixels.width)),
                   PlotAxis::For(yLow, yHigh, pixels.height, MostStepsDown(pixels.height)));
    grid.Add(kept.values[0], kept.values[1],
             items.colour ? std::span<const double>(kept.values[2]) : std::span<const double>());
    DrawPlotFrame(area, grid.xAxis(), grid.yAxis(), colors);
    SetPixels(area.pbGraphContents, grid);
    AddScaleLegend(area, grid, items, colors);
    AddSampleLegend(area, kept, conditions, colors);
    return grid;
}

}  // namespace grafolux
