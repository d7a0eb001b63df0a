#include "plots/PlotFrame.h"

#include <algorithm>
#include <cmath>

#include "draw/NumberFormat.h"

namespace grafolux {

namespace {

constexpr double kPixel = kTwipsPerPixel;
constexpr double kLabelDrop = 60;
constexpr double kAxisEndRight = 615;

int Decimals(const PlotAxis& axis) { return axis.step > 0 && axis.step < 1 ? 2 : 0; }

// The tick values: each round value of the scale, or without one the two ends.
template <typename Mark>
void ForEachTick(const PlotAxis& axis, Mark mark) {
    if (axis.step == 0) {
        mark(axis.low, 0.0);
        mark(axis.high, static_cast<double>(axis.pixels));
        return;
    }
    for (int32_t t = 0; t <= axis.steps; ++t)
        mark(axis.low + t * axis.step, static_cast<double>(axis.pixels) * t / axis.steps);
}

}  // namespace

PlotPixels PlacePlot(DrawingArea& area) {
    area.pbGraph.SetFont("Arial", 7);
    area.pbGraphContents.SetFont("Arial", 7);
    const PlotSize layout = PlaceCanvas(area, 1);
    area.pbGraph.Cls();
    area.pbGraphContents.Cls();
    area.pbGraphContents.SetLeft(0);
    ClearLegend(area);
    return {std::max(TwipsToPixels(layout.CW), 0), std::max(TwipsToPixels(layout.H), 0)};
}

double MostStepsAcross(int32_t pixels) { return std::max(1, pixels / 60); }
double MostStepsDown(int32_t pixels) { return std::clamp(pixels / 20, 1, 15); }

void DrawPlotFrame(DrawingArea& area, const PlotAxis& x, const PlotAxis& y,
                   const DisplayColors& colors) {
    Surface& graph = area.pbGraph;
    Surface& canvas = area.pbGraphContents;
    const double H = y.pixels * kPixel, W = x.pixels * kPixel;
    ForEachTick(y, [&](double value, double position) {
        const double top = std::round(H - position * kPixel);
        graph.SetForeColor(colors.lngGridColor);
        canvas.SetForeColor(colors.lngGridColor);
        graph.Line(kValueTickStart, kMarginTop + top, kMarginLeft, kMarginTop + top);
        canvas.Line(0, top, W, top);
        graph.SetForeColor(colors.lngTextColor);
        const QString text = FittedNumber(graph, value, Decimals(y), kValueLabelRight);
        graph.PrintAt(kValueLabelRight - graph.TextWidth(text),
                      kMarginTop + top - graph.TextHeight(text) / 2, text);
    });
    // Each label may take the room between two ticks.
    const double room = x.steps > 0 ? W / x.steps : W;
    ForEachTick(x, [&](double value, double position) {
        const double left = std::min(std::round(position * kPixel), W - kPixel);
        canvas.SetForeColor(colors.lngGridColor);
        canvas.Line(left, 0, left, H + kLabelDrop);
        canvas.SetForeColor(colors.lngTextColor);
        const QString text = FittedNumber(canvas, value, Decimals(x), room);
        // Kept on the canvas, the ends' labels too.
        const double width = canvas.TextWidth(text);
        canvas.PrintAt(std::clamp(left - width / 2, 0.0, std::max(W - width, 0.0)), H + kLabelDrop,
                       text);
    });
    graph.SetForeColor(colors.lngForeColor);
    canvas.SetForeColor(colors.lngForeColor);
    graph.Line(kValueTickStart, kMarginTop, kMarginLeft, kMarginTop);
    graph.Line(kMarginLeft, kMarginTop, kMarginLeft, kMarginTop + H);
    graph.Line(kValueTickStart, kMarginTop + H, kAxisEndRight, kMarginTop + H);
    canvas.Line(0, H, W, H);
}

}  // namespace grafolux
