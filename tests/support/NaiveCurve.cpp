#include "support/NaiveCurve.h"

#include <QPainter>
#include <cmath>

namespace grafolux {

namespace {

// A missing value breaks the curve: segments (quadrilaterals) only between two present values,
// and a value alone between gaps a dot (a line down to the axis in a band).
void DrawWithGaps(QPainter& painter, const CurvePlot& plot, bool filled) {
    auto pixel = [](double x, double y) { return QPoint(TwipsToPixels(x), TwipsToPixels(y)); };
    auto present = [&](int64_t j) { return !std::isnan(plot.Value(j)); };
    auto alone = [&](int64_t j, int64_t last) {
        return present(j) && (j == 0 || !present(j - 1)) && (j == last || !present(j + 1));
    };
    if (!filled) {
        const int64_t last = plot.LastLineVertex();
        for (int64_t j = 0; j <= last; ++j) {
            const QPoint to = pixel(plot.X(j), plot.Y(plot.Value(j)));
            if (alone(j, last)) painter.drawPoint(to);
            if (j > 0 && present(j - 1) && present(j))
                painter.drawLine(pixel(plot.X(j - 1), plot.Y(plot.Value(j - 1))), to);
        }
        return;
    }
    const int64_t last = plot.LastBandVertex();
    for (int64_t j = 0; j <= last; ++j) {
        const double x1 = std::nearbyint(plot.X(j));
        const double y1 = std::nearbyint(plot.Y(plot.Value(j)));
        if (alone(j, last)) painter.drawLine(pixel(x1, y1), pixel(x1, plot.H));
        if (j == 0 || !present(j - 1) || !present(j)) continue;
        const double x0 = std::nearbyint(plot.X(j - 1));
        const double y0 = std::nearbyint(plot.Y(plot.Value(j - 1)));
        const QPoint quad[] = {pixel(x0, y0), pixel(x1, y1), pixel(x1, plot.H), pixel(x0, plot.H)};
        painter.drawPolygon(quad, 4);
        painter.drawLine(pixel(x0, plot.H), pixel(x1, plot.H));
    }
}

}  // namespace

void DrawCurveNaive(Surface& canvas, const CurvePlot& plot, bool filled) {
    if (canvas.image().isNull()) return;
    QPainter painter(&canvas.image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = ToQColor(canvas.ForeColor());
    painter.setPen(QPen(colour, 1));
    painter.setBrush(colour);
    if (AnyMissing(plot.samples.subspan(static_cast<size_t>(plot.sFirst - 1),
                                        static_cast<size_t>(plot.sLast - plot.sFirst + 1))))
        return DrawWithGaps(painter, plot, filled);
    auto pixel = [](double x, double y) { return QPoint(TwipsToPixels(x), TwipsToPixels(y)); };

    if (!filled) {
        QPoint from = pixel(plot.X(0), plot.Y(plot.Value(0)));
        for (int64_t j = 1; j <= plot.LastLineVertex(); ++j) {
            const QPoint to = pixel(plot.X(j), plot.Y(plot.Value(j)));
            painter.drawLine(from, to);
            from = to;
        }
        return;
    }
    double x0 = 0, y0 = std::nearbyint(plot.Y(plot.Value(0)));
    for (int64_t j = 1; j <= plot.LastBandVertex(); ++j) {
        const double x1 = std::nearbyint(plot.X(j));
        const double y1 = std::nearbyint(plot.Y(plot.Value(j)));
        const QPoint quad[] = {pixel(x0, y0), pixel(x1, y1), pixel(x1, plot.H), pixel(x0, plot.H)};
        painter.drawPolygon(quad, 4);
        painter.drawLine(pixel(x0, plot.H), pixel(x1, plot.H));
        x0 = x1;
        y0 = y1;
    }
}

}  // namespace grafolux
