#include "support/NaiveCurve.h"

#include <QPainter>
#include <cmath>

namespace grafolux {

void DrawCurveNaive(Surface& canvas, const CurvePlot& plot, bool filled) {
    if (canvas.image().isNull()) return;
    QPainter painter(&canvas.image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = ToQColor(canvas.ForeColor());
    painter.setPen(QPen(colour, 1));
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
    painter.setBrush(colour);
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
