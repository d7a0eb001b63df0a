#include "graph/GraphDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "draw/DisplayText.h"
#include "draw/NumberFormat.h"
#include "graph/Comparison.h"
#include "graph/Legend.h"
#include "graph/NiceScale.h"
#include "logdata/Rounding.h"

namespace grafolux {

namespace {

constexpr double kPixel = kTwipsPerPixel;  // one device pixel in twips, across and down
constexpr double kSampleLineDrop = 60;     // sample grid lines reach below the axis
constexpr double kSampleLabelShift = 15;   // sample labels are centred right of their line
constexpr double kAxisEndRight = 615;
constexpr double kMostValueSteps = 15;
constexpr double kSampleStepsPerZoom = 10;

// The samples a redraw shows.
struct ShownSamples {
    double first, last;
    int32_t sFirst, sLast;  // rounded and within the log
    double count() const { return last - first + 1; }
    bool empty() const { return sFirst > sLast || !(last >= first); }
};

ShownSamples RangeOf(const GraphRequest& request, int32_t sampleCount) {
    return {request.first, request.last, std::max(RoundLong(request.first), 1),
            std::min(RoundLong(request.last), sampleCount)};
}

struct ItemValues {
    // Start values: a range of negative values still reaches up to 0, and a range of
    // values above 99999.99 down to it. Missing values do not count.
    double lowest = 99999.99;
    double highest = 0;
    bool fractional = false;
    bool present = false;  // some value in the range is not missing
};

// Whether some value is not a whole number; inf and NaN count as whole. One pass without a
// branch per value: below 2^51, adding 1.5 * 2^52 rounds a fraction away; between 2^51
// and 2^52 (all larger doubles are whole) a second, exact pass decides.
bool AnyNotWhole(std::span<const double> values) {
    constexpr double kShift = 0x1.8p52;
    bool fraction = false, large = false;
    for (const double v : values) {
        const bool small = std::fabs(v) < 0x1p51;
        fraction |= small & ((v + kShift) - kShift != v);
        large |= !small & (std::fabs(v) < 0x1p52);
    }
    return fraction || (large && std::any_of(values.begin(), values.end(), [](double v) {
                            return std::fabs(v) < 0x1p52 && v != std::floor(v);
                        }));
}

std::span<const double> ShownPart(std::span<const double> samples, const ShownSamples& range) {
    return samples.subspan(static_cast<size_t>(range.sFirst - 1),
                           static_cast<size_t>(range.sLast - range.sFirst + 1));
}

// Widens the values to take in the shown ones.
void TakeIn(ItemValues& values, std::span<const double> shown) {
    WidenBounds(shown, values.lowest, values.highest);
    values.fractional = values.fractional || AnyNotWhole(shown);
    values.present =
        values.present || !AnyMissing(shown) ||
        !std::all_of(shown.begin(), shown.end(), [](double v) { return std::isnan(v); });
}

// A scale needs an extent.
ItemValues Settled(ItemValues values) {
    if (values.highest == values.lowest) {
        values.highest += 1;
        values.lowest -= 1;
    }
    return values;
}

ItemValues ScanValues(std::span<const double> samples, const ShownSamples& range) {
    ItemValues values;
    TakeIn(values, ShownPart(samples, range));
    return values;
}

struct ValueScale {
    double step = 0, low = 0, high = 0;
    int32_t steps = 0;
};

ValueScale ValueScaleFor(const ItemValues& values) {
    ValueScale scale;
    scale.step = NiceScale(values.lowest, values.highest, kMostValueSteps, scale.low, scale.high,
                           scale.steps);
    return scale;
}

CurvePlot PlotFor(std::span<const double> samples, const ShownSamples& range,
                  const PlotSize& layout, const ItemValues& values, const ValueScale& scale) {
    CurvePlot plot;
    plot.samples = samples;
    plot.first = range.first;
    plot.count = range.count();
    plot.sFirst = range.sFirst;
    plot.sLast = range.sLast;
    // One sample spans the whole canvas: vertex 1 lies at its right edge.
    plot.dx = plot.count - 1 > 0 ? layout.CW / (plot.count - 1) : layout.CW;
    plot.H = layout.H;
    // Without a step the values themselves bound the curve.
    plot.vLow = scale.step > 0 ? scale.low : values.lowest;
    plot.vRange = scale.step > 0 ? scale.high - scale.low : values.highest - values.lowest;
    return plot;
}

// Ticks, grid lines and labels of the value axis; only whole values are marked unless the
// item has fractional values. No step, no grid.
void DrawValueGrid(DrawingArea& area, const PlotSize& layout, const ItemValues& values,
                   const ValueScale& scale, const DisplayColors& colors) {
    if (scale.step == 0 || scale.steps <= 0) return;
    Surface& graph = area.pbGraph;
    Surface& canvas = area.pbGraphContents;
    const int decimals = scale.step < 1 && values.fractional ? 2 : 0;
    double value = scale.low;  // accumulated: a value that misses a whole number counts as not
    for (int32_t t = 0; t <= scale.steps; ++t) {
        if (value == std::floor(value) || values.fractional) {
            const double y = RoundLong(layout.H - (layout.H / scale.steps) * t);
            graph.SetForeColor(colors.lngGridColor);
            canvas.SetForeColor(colors.lngGridColor);
            graph.Line(kValueTickStart, kMarginTop + y, kMarginLeft, kMarginTop + y);
            canvas.Line(0, y, layout.CW, y);
            graph.SetForeColor(colors.lngTextColor);
            const QString text = FittedNumber(graph, value, decimals, kValueLabelRight);
            graph.PrintAt(kValueLabelRight - graph.TextWidth(text),
                          kMarginTop + y - graph.TextHeight(text) / 2, text);
        }
        value += scale.step;
    }
}

// Vertical grid lines and labels at whole sample numbers, each line one pixel left of its
// sample. A one-sample range has no sample steps to mark.
void DrawSampleGrid(Surface& canvas, const PlotSize& layout, const ShownSamples& range, double zoom,
                    const DisplayColors& colors) {
    if (!(range.last > range.first)) return;
    double low = 0, high = 0;
    int32_t steps = 0;
    const double step =
        NiceScale(range.first, range.last, zoom * kSampleStepsPerZoom, low, high, steps);
    if (step == 0 || steps <= 0) return;
    const double offset = FloatMod(range.first, step) / step;
    const double WN = RoundLong((high - low) * layout.CW / (range.last - range.first));
    double value = low + step;
    for (int32_t j = 1; j <= steps; ++j) {
        if (value == std::floor(value)) {
            const double x = RoundLong((j - offset) * WN / steps - kPixel);
            const QString text = FormatGrouped(value, 0);
            canvas.SetForeColor(colors.lngTextColor);
            canvas.PrintAt(x + kSampleLabelShift - canvas.TextWidth(text) / 2,
                           layout.H + kSampleLineDrop, text);
            canvas.SetForeColor(colors.lngGridColor);
            canvas.Line(x, 0, x, layout.H + kSampleLineDrop);
        }
        value += step;
    }
}

// Log B over the range: the samples of B that lie at the range's samples.
struct VersusRange {
    const LogData& log;
    ShownSamples range;

    // Kept within B's samples (first past last when none lies there), whatever the offset.
    VersusRange(const GraphComparison& versus, const ShownSamples& shown)
        : log(*versus.log),
          range{shown.first - versus.offset, shown.last - versus.offset,
                Clamped(int64_t{shown.sFirst} - versus.offset, 1, log.lngSampleCount + int64_t{1}),
                Clamped(int64_t{shown.sLast} - versus.offset, 0, log.lngSampleCount)} {}

    static int32_t Clamped(int64_t sample, int64_t low, int64_t high) {
        return static_cast<int32_t>(std::clamp(sample, low, high));
    }

    // B's item of the same name, 0 when B lacks it or shows none of its samples here.
    int32_t ItemFor(const ItemInfo& item) const {
        return range.empty() ? 0 : log.itemNamed(item.strName);
    }
};

// The item's values in both logs, for the scale of both curves (its own without B's).
ItemValues ValuesWithVersus(ItemValues values, const VersusRange* versus, int32_t versusItem) {
    if (versusItem != 0)
        TakeIn(values, ShownPart(*versus->log.wholeColumn(versusItem), versus->range));
    return Settled(values);
}

// B's curve of the item over A's, dashed, on the same scale.
void DrawVersusCurve(Surface& canvas, const VersusRange& versus, int32_t versusItem, Colour colour,
                     const PlotSize& layout, const ItemValues& values, const ValueScale& scale,
                     CurveDrawer drawCurve) {
    const WholeColumn samples = versus.log.wholeColumn(versusItem);
    CurvePlot plot = PlotFor(*samples, versus.range, layout, values, scale);
    std::tie(plot.fromVertex, plot.toVertex) = VerticesOnSamples(
        plot.first, plot.LastLineVertex(), versus.range.sFirst, versus.range.sLast);
    plot.dash = kComparisonDash;
    canvas.SetForeColor(colour);
    drawCurve(canvas, plot, false);
}

// The legend's second line of an item: its range, or that B lacks it.
QString LegendValues(DrawingArea& area, const ItemValues& values, const VersusRange* versus,
                     const ItemInfo& item) {
    if (versus && versus->log.itemNamed(item.strName) == 0) return QStringLiteral("not in B");
    return values.present
               ? LegendRange(area, values.lowest, values.highest, values.fractional ? 2 : 0)
               : QStringLiteral("no value");
}

QString SignedSamples(int32_t offset) {
    return (offset > 0 ? "+" : "") + FormatGrouped(offset, 0) +
           (offset == 1 || offset == -1 ? " sample" : " samples");
}

void DrawAxes(DrawingArea& area, const PlotSize& layout, const DisplayColors& colors) {
    Surface& graph = area.pbGraph;
    Surface& canvas = area.pbGraphContents;
    graph.SetForeColor(colors.lngForeColor);
    canvas.SetForeColor(colors.lngForeColor);
    graph.Line(kValueTickStart, kMarginTop, kMarginLeft, kMarginTop);
    graph.Line(kMarginLeft, kMarginTop, kMarginLeft, kMarginTop + layout.H);
    graph.Line(kValueTickStart, kMarginTop + layout.H, kAxisEndRight, kMarginTop + layout.H);
    canvas.Line(0, layout.H, layout.CW, layout.H);
}

// A locked item under the current one: its own value scale, its colour, line or band; log B's
// curve of it dashed over it.
void DrawLockedItem(DrawingArea& area, const LogData& log, int32_t i, const ShownSamples& range,
                    const PlotSize& layout, const DisplayColors& colors, CurveDrawer drawCurve,
                    const VersusRange* versus) {
    const ItemInfo& item = log.udtItems[static_cast<size_t>(i)];
    const int32_t versusItem = versus ? versus->ItemFor(item) : 0;
    const WholeColumn samples = log.wholeColumn(i);
    const ItemValues scanned = ScanValues(*samples, range);
    const ItemValues own = Settled(scanned);
    const ItemValues values = versusItem != 0 ? ValuesWithVersus(scanned, versus, versusItem) : own;
    const ValueScale scale = ValueScaleFor(values);
    AddLegendEntry(area, item.colour, DisplayText(item.strName),
                   LegendValues(area, own, versus, item), colors);
    DrawAxes(area, layout, colors);
    area.pbGraphContents.SetForeColor(item.colour);
    drawCurve(area.pbGraphContents, PlotFor(*samples, range, layout, values, scale),
              item.blnFilled);
    if (versusItem != 0)
        DrawVersusCurve(area.pbGraphContents, *versus, versusItem, item.colour, layout, values,
                        scale, drawCurve);
}

}  // namespace

GraphResult DrawGraph(DrawingArea& area, const LogData& log, const GraphRequest& request,
                      const DisplayColors& colors, CurveDrawer drawCurve) {
    GraphResult result;
    const int32_t k = request.lngItem;
    if (k < 1 || k > log.lngItemCount) return result;
    Surface& graph = area.pbGraph;
    Surface& container = area.pbGraphContainer;
    Surface& canvas = area.pbGraphContents;
    graph.SetFont("Arial", 7);
    canvas.SetFont("Arial", 7);
    const ShownSamples range = RangeOf(request, log.lngSampleCount);
    const PlotSize layout = PlaceCanvas(area, request.dblZoom);
    graph.Cls();
    canvas.Cls();
    ClearLegend(area);
    // Back where it was, but never leaving empty space at the right.
    canvas.SetLeft(request.lngScrollPos * request.dblZoom);
    if (canvas.Left() + canvas.Width() < container.Width())
        canvas.SetLeft(container.Width() - canvas.Width());

    const ItemInfo& item = log.udtItems[static_cast<size_t>(k)];
    result.itemColour = item.colour;
    result.filled = item.blnFilled;
    result.locked = item.blnLocked;
    if (range.empty()) {
        DrawAxes(area, layout, colors);
        return result;
    }

    std::optional<VersusRange> versusRange;
    if (request.versus && request.versus->log) versusRange.emplace(*request.versus, range);
    const VersusRange* versus = versusRange ? &*versusRange : nullptr;
    const int32_t versusItem = versus ? versus->ItemFor(item) : 0;
    const WholeColumn samples = log.wholeColumn(k);
    const ItemValues scanned = ScanValues(*samples, range);
    const ItemValues own = Settled(scanned);
    const ItemValues values = versusItem != 0 ? ValuesWithVersus(scanned, versus, versusItem) : own;
    // Without a value there is no scale to mark.
    const ValueScale scale = values.present ? ValueScaleFor(values) : ValueScale{};
    DrawValueGrid(area, layout, values, scale, colors);
    constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
    result.lowText = FormatGeneral(own.present ? own.lowest : kMissing);
    result.highText = FormatGeneral(own.present ? own.highest : kMissing);
    DrawSampleGrid(canvas, layout, range, request.dblZoom, colors);

    if (versus) {
        AddLegendText(area, "A: " + request.versus->nameA, "B: " + request.versus->nameB, colors);
        AddLegendText(area, "Offset of B", SignedSamples(request.versus->offset), colors);
    }
    AddLegendEntry(area, kCurrentCurveColor, DisplayText(item.strName),
                   LegendValues(area, own, versus, item), colors);
    for (int32_t i = 1; i <= log.lngItemCount; ++i)
        if (log.udtItems[static_cast<size_t>(i)].blnLocked)
            DrawLockedItem(area, log, i, range, layout, colors, drawCurve, versus);

    DrawAxes(area, layout, colors);
    canvas.SetForeColor(kCurrentCurveColor);
    const CurvePlot plot = PlotFor(*samples, range, layout, values, scale);
    drawCurve(canvas, plot, false);  // a curve without a value draws nothing
    if (versusItem != 0)
        DrawVersusCurve(canvas, *versus, versusItem, kCurrentCurveColor, layout, values, scale,
                        drawCurve);
    result.axis = static_cast<const SampleAxis&>(plot);
    return result;
}

}  // namespace grafolux
