#include "plots/HistogramDrawing.h"

#include "draw/DisplayText.h"
#include "draw/NumberFormat.h"
#include "graph/Legend.h"
#include "plots/PlotFrame.h"
#include "plots/ScatterDrawing.h"

namespace grafolux {

namespace {

double Height(const HistogramBin& bin, const Histogram& histogram, bool percent) {
    return percent ? 100.0 * static_cast<double>(bin.count) / static_cast<double>(histogram.count)
                   : static_cast<double>(bin.count);
}

void DrawBars(Surface& canvas, const Histogram& histogram, const PlotAxis& x, const PlotAxis& y,
              bool percent) {
    constexpr double kPixel = kTwipsPerPixel;
    for (const HistogramBin& bin : histogram.bins) {
        if (bin.count == 0) continue;
        const int32_t left = x.PixelOf(bin.low);
        // A pixel apart from the next bar where there is room; at least one pixel wide.
        const int32_t right = std::max(left, x.PixelOf(bin.high) - 2);
        const int32_t top = y.RowOf(Height(bin, histogram, percent));
        canvas.Box(left * kPixel, top * kPixel, right * kPixel, (y.pixels - 1) * kPixel,
                   kHistogramBarColour, true);
    }
}

}  // namespace

std::optional<Histogram> DrawHistogram(DrawingArea& area, const KeptSamples& kept,
                                       const std::string& item, const HistogramChoice& choice,
                                       std::span<const SampleCondition> conditions,
                                       const DisplayColors& colors) {
    const PlotPixels pixels = PlacePlot(area);
    AddLegendEntry(
        area, kHistogramBarColour, DisplayText(item),
        choice.percent ? QStringLiteral("percent per bin") : QStringLiteral("samples per bin"),
        colors);
    const auto histogram =
        kept.count() == 0 ? std::nullopt : HistogramOf(kept.values[0], choice.bins);
    if (!histogram) {
        AddSampleLegend(area, kept, conditions, colors);
        DrawPlotNotice(area, "No sample is left to count", colors);
        return std::nullopt;
    }
    double tallest = 0;
    for (const HistogramBin& bin : histogram->bins)
        tallest = std::max(tallest, Height(bin, *histogram, choice.percent));
    const PlotAxis x = PlotAxis::For(histogram->bins.front().low, histogram->bins.back().high,
                                     pixels.width, MostStepsAcross(pixels.width));
    const PlotAxis y = PlotAxis::For(0, tallest, pixels.height, MostStepsDown(pixels.height));
    DrawPlotFrame(area, x, y, colors);
    DrawBars(area.pbGraphContents, *histogram, x, y, choice.percent);
    for (const auto& [name, value] : {std::pair{"Mean", histogram->mean},
                                      {"Median", histogram->median},
                                      {"5th percentile", histogram->p5},
                                      {"95th percentile", histogram->p95}})
        AddLegendText(area, name, FormatGeneral(value, 10), colors);
    AddSampleLegend(area, kept, conditions, colors);
    return histogram;
}

}  // namespace grafolux
