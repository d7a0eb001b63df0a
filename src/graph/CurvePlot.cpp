#include "graph/CurvePlot.h"

#include <QLine>
#include <algorithm>
#include <cmath>
#include <vector>

#include "logdata/Rounding.h"

namespace grafolux {

int64_t CurvePlot::LastLineVertex() const { return std::max<int64_t>(RoundLong(count) - 1, 1); }

int64_t CurvePlot::LastBandVertex() const { return std::max<int64_t>(RoundLong(count - 1), 1); }

double CurvePlot::Value(int64_t j) const {
    const int64_t index = RoundLong(first + static_cast<double>(j));
    return samples[static_cast<size_t>(std::clamp<int64_t>(index, sFirst, sLast) - 1)];
}

double CurvePlot::Y(double v) const {
    // A scale without extent (values too large to widen) draws the curve flat in the middle.
    if (!(vRange > 0) || !std::isfinite(vRange)) return H / 2;
    return H - (v - vLow) / vRange * H;
}

QPoint CurvePlot::LinePixel(int64_t j) const {
    return {TwipsToPixels(X(j)), TwipsToPixels(Y(Value(j)))};
}

QPoint CurvePlot::BandPixel(int64_t j) const {
    return {TwipsToPixels(std::nearbyint(X(j))), TwipsToPixels(std::nearbyint(Y(Value(j))))};
}

namespace {

// Segments within one pixel column are vertical and together cover the column from its
// lowest to its highest vertex; only the segments between columns need their own line.
void DrawLine(Surface& canvas, const CurvePlot& plot) {
    std::vector<QLine> lines;
    QPoint p = plot.LinePixel(0);
    int low = p.y(), high = p.y();
    const int64_t last = plot.LastLineVertex();
    for (int64_t j = 1; j <= last; ++j) {
        const QPoint q = plot.LinePixel(j);
        if (q.x() == p.x()) {
            low = std::min(low, q.y());
            high = std::max(high, q.y());
        } else {
            lines.emplace_back(p.x(), low, p.x(), high);
            lines.emplace_back(p, q);
            low = high = q.y();
        }
        p = q;
    }
    lines.emplace_back(p.x(), low, p.x(), high);
    canvas.LinesPixels(lines, canvas.ForeColor());
}

// A column's own quadrilaterals have no width: together they reach from its highest vertex
// down to the axis. Only the quadrilaterals between columns need drawing as such.
void DrawBand(Surface& canvas, const CurvePlot& plot) {
    const int bottom = plot.BandBottomPixel();
    std::vector<std::array<QPoint, 4>> quads;
    std::vector<QLine> columns;
    QPoint p = plot.BandPixel(0);
    int top = p.y();
    const int64_t last = plot.LastBandVertex();
    for (int64_t j = 1; j <= last; ++j) {
        const QPoint q = plot.BandPixel(j);
        if (q.x() == p.x()) {
            top = std::min(top, q.y());
        } else {
            columns.emplace_back(p.x(), top, p.x(), bottom);
            quads.push_back({p, q, QPoint(q.x(), bottom), QPoint(p.x(), bottom)});
            top = q.y();
        }
        p = q;
    }
    columns.emplace_back(p.x(), top, p.x(), bottom);

    const Colour colour = canvas.ForeColor();
    canvas.FillQuadsPixels(quads, colour);
    canvas.LinesPixels(columns, colour);
    // The band's own stretch of the sample axis, in its colour.
    canvas.Line(0, plot.H, std::nearbyint(plot.X(last)), plot.H);
}

}  // namespace

void DrawCurve(Surface& canvas, const CurvePlot& plot, bool filled) {
    if (filled)
        DrawBand(canvas, plot);
    else
        DrawLine(canvas, plot);
}

}  // namespace grafolux
