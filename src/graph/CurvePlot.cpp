#include "graph/CurvePlot.h"

#include <QLine>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "logdata/Rounding.h"

namespace grafolux {

double CurvePlot::Y(double v) const {
    // A scale without extent (values too large to widen) draws the curve flat in the middle.
    if (!(vRange > 0) || !std::isfinite(vRange)) return H / 2;
    return H - (v - vLow) / vRange * H;
}

void WidenBounds(std::span<const double> values, double& low, double& high) {
    size_t i = 0;
    constexpr size_t kLanes = 4;
    if (values.size() >= 4 * kLanes) {
        // Four lanes over long runs, so that each comparison need not wait for the last.
        double lows[kLanes], highs[kLanes];
        std::fill(lows, lows + kLanes, low);
        std::fill(highs, highs + kLanes, high);
        for (; i + kLanes <= values.size(); i += kLanes)
            for (size_t k = 0; k < kLanes; ++k) {
                lows[k] = values[i + k] < lows[k] ? values[i + k] : lows[k];
                highs[k] = values[i + k] > highs[k] ? values[i + k] : highs[k];
            }
        for (size_t k = 0; k < kLanes; ++k) {
            low = lows[k] < low ? lows[k] : low;
            high = highs[k] > high ? highs[k] : high;
        }
    }
    for (; i < values.size(); ++i) {
        low = values[i] < low ? values[i] : low;
        high = values[i] > high ? values[i] : high;
    }
}

namespace {

// The vertices that fall into one pixel column.
struct PixelColumn {
    int x;
    int64_t j0, j1;
    double vFirst, vLast, vMin, vMax;
};

// Visits the columns of vertices first..last from left to right. Columns grow with j, so a
// column's vertices follow each other.
template <typename ColumnOf, typename Visit>
void ForEachColumn(const CurvePlot& plot, int64_t first, int64_t last, ColumnOf columnOf,
                   Visit visit) {
    // From a whole first sample on, the vertices are the samples one after another.
    const bool consecutive = plot.first == std::floor(plot.first) && std::fabs(plot.first) < 0x1p62;
    const auto firstWhole = consecutive ? static_cast<int64_t>(plot.first) : 0;
    auto index = [&](int64_t j) {
        return consecutive ? std::clamp<int64_t>(firstWhole + j, plot.sFirst, plot.sLast)
                           : plot.Index(j);
    };
    const double verticesPerTwip = 1 / plot.dx;
    int x = columnOf(first);
    for (int64_t j0 = first; j0 <= last;) {
        // The column ends near x + 0.5 pixels; the rounding of each vertex decides.
        int64_t j1 = j0;
        const double guess = (x + 0.5) * kTwipsPerPixel * verticesPerTwip;
        if (guess > static_cast<double>(j0))
            j1 = guess >= static_cast<double>(last) ? last : static_cast<int64_t>(guess);
        while (j1 > j0 && columnOf(j1) != x) --j1;
        int next = x;
        while (j1 < last && (next = columnOf(j1 + 1)) == x) ++j1;

        PixelColumn c{x, j0, j1, 0, 0, 0, 0};
        if (consecutive) {
            const std::span<const double> values = plot.samples.subspan(
                static_cast<size_t>(index(j0) - 1), static_cast<size_t>(index(j1) - index(j0) + 1));
            c.vFirst = c.vMin = c.vMax = values.front();
            c.vLast = values.back();
            WidenBounds(values, c.vMin, c.vMax);
        } else {
            c.vFirst = c.vMin = c.vMax = plot.Value(j0);
            c.vLast = plot.Value(j1);
            for (int64_t j = j0 + 1; j <= j1; ++j) {
                const double v = plot.Value(j);
                c.vMin = v < c.vMin ? v : c.vMin;
                c.vMax = v > c.vMax ? v : c.vMax;
            }
        }
        visit(c);
        j0 = j1 + 1;
        x = next;
    }
}

// The rows of a column's first, last, lowest and highest vertex; rows fall as values rise,
// so these cover all its vertices. Each value is mapped once.
struct ColumnRows {
    int first, last, top, bottom;
};

template <typename RowOf>
ColumnRows RowsOf(const PixelColumn& c, RowOf rowOf) {
    const int low = rowOf(c.vMin);
    const int high = c.vMax == c.vMin ? low : rowOf(c.vMax);
    auto row = [&](double v) { return v == c.vMin ? low : v == c.vMax ? high : rowOf(v); };
    return {row(c.vFirst), row(c.vLast), std::min(low, high), std::max(low, high)};
}

// Whether the painter's line from (x, a) down to (x + 1, a + drop) puts its last pixel into
// column x rather than x + 1: its step across, 1/drop in 16.16 fixed point, is rounded
// down, and the half step it starts with does not always make up the shortfall.
bool LastPixelStaysInColumn(int drop) {
    constexpr int kOne = 1 << 16;
    return drop >= 2 && ((kOne / drop) >> 1) < kOne % drop;
}

// Segments within one pixel column are vertical and together cover the column from its
// lowest to its highest vertex. A segment into the neighbouring column stays in this column
// up to its last pixel (at times that one too), so it only lengthens the run; wider segments
// are drawn as lines. Vertices first..last, added to `lines`.
void LineOf(const CurvePlot& plot, int64_t first, int64_t last, std::vector<QLine>& lines) {
    int x = 0, lastRow = 0, low = 0, high = 0;
    bool started = false;
    // False while the last column holds only the end of a segment from another column:
    // whether that end gets its pixel is then the segment's business.
    bool ownRun = true;
    auto columnOf = [&plot](int64_t j) { return plot.LineColumn(j); };
    auto rowOf = [&plot](double v) { return plot.LineRow(v); };
    ForEachColumn(plot, first, last, columnOf, [&](const PixelColumn& c) {
        const ColumnRows rows = RowsOf(c, rowOf);
        const int firstRow = rows.first;
        if (started) {
            const bool neighbour = c.x == x + 1;
            const bool stays = neighbour && LastPixelStaysInColumn(firstRow - lastRow);
            if (neighbour) {
                low = std::min(low, firstRow + 1);
                high = std::max(high, stays ? firstRow : firstRow - 1);
            } else {
                lines.emplace_back(x, lastRow, c.x, firstRow);
            }
            lines.emplace_back(x, low, x, high);
            ownRun = (neighbour && !stays) || c.j1 > c.j0;
        }
        started = true;
        x = c.x;
        lastRow = rows.last;
        low = rows.top;
        high = rows.bottom;
    });
    if (ownRun) lines.emplace_back(x, low, x, high);
}

struct Band {
    std::vector<std::array<QPoint, 4>> quads;
    std::vector<QLine> columns;
};

// A column's own quadrilaterals have no width: together they reach from its highest vertex
// down to the axis. The quadrilateral into the neighbouring column reaches up in this column
// to one pixel short of the next vertex; wider ones are drawn as quadrilaterals. Vertices
// first..last, added to `band`.
void BandOf(const CurvePlot& plot, int64_t first, int64_t last, Band& band) {
    const int bottom = plot.BandBottomRow();
    auto& [quads, columns] = band;
    int x = 0, lastRow = 0, top = 0;
    bool started = false;
    auto columnOf = [&plot](int64_t j) { return plot.BandColumn(j); };
    auto rowOf = [&plot](double v) { return plot.BandRow(v); };
    ForEachColumn(plot, first, last, columnOf, [&](const PixelColumn& c) {
        const ColumnRows rows = RowsOf(c, rowOf);
        const int firstRow = rows.first;
        if (started) {
            if (c.x == x + 1)
                top = std::min(top, firstRow + 1);
            else
                quads.push_back({QPoint(x, lastRow), QPoint(c.x, firstRow), QPoint(c.x, bottom),
                                 QPoint(x, bottom)});
            columns.emplace_back(x, top, x, bottom);
        }
        started = true;
        x = c.x;
        lastRow = rows.last;
        top = rows.top;
    });
    columns.emplace_back(x, top, x, bottom);
}

// Calls visit(first, last) for each run of the plot's vertices up to `last` whose values are
// present, left to right. One run when no value in the range is missing, as for every logged
// item.
template <typename Visit>
void ForEachPresentRun(const CurvePlot& plot, int64_t last, Visit visit) {
    last = std::min(last, plot.toVertex);
    if (plot.fromVertex > last) return;
    const std::span<const double> shown = plot.samples.subspan(
        static_cast<size_t>(plot.sFirst - 1), static_cast<size_t>(plot.sLast - plot.sFirst + 1));
    if (!AnyMissing(shown)) {
        visit(plot.fromVertex, last);
        return;
    }
    for (int64_t j = plot.fromVertex; j <= last;) {
        while (j <= last && std::isnan(plot.Value(j))) ++j;
        const int64_t first = j;
        while (j <= last && !std::isnan(plot.Value(j))) ++j;
        if (j > first) visit(first, j - 1);
    }
}

}  // namespace

bool AnyMissing(std::span<const double> values) {
    bool missing = false;  // without a branch per value, so that the loop vectorises
    for (const double v : values) missing |= v != v;
    return missing;
}

void DrawCurve(Surface& canvas, const CurvePlot& plot, bool filled) {
    if (canvas.image().isNull()) return;
    const Colour colour = canvas.ForeColor();
    if (!filled) {
        std::vector<QLine> lines;
        ForEachPresentRun(plot, plot.LastLineVertex(),
                          [&](int64_t first, int64_t last) { LineOf(plot, first, last, lines); });
        if (plot.dash.on > 0)
            canvas.DashedLinesPixels(lines, colour, plot.dash);
        else
            canvas.LinesPixels(lines, colour);
        return;
    }
    Band band;
    std::vector<std::pair<int64_t, int64_t>> runs;
    ForEachPresentRun(plot, plot.LastBandVertex(), [&](int64_t first, int64_t last) {
        BandOf(plot, first, last, band);
        runs.emplace_back(first, last);
    });
    canvas.FillQuadsPixels(band.quads, colour);
    canvas.LinesPixels(band.columns, colour);
    // The band's own stretch of the sample axis under each run, in its colour.
    for (const auto& [first, last] : runs)
        canvas.Line(std::nearbyint(plot.X(first)), plot.H, std::nearbyint(plot.X(last)), plot.H);
}

}  // namespace grafolux
