#include "views/ViewExport.h"

#include <QPainter>
#include <cstdlib>

namespace grafolux {

namespace {

// Where the scrolled window sits on the graph surface at 15 twips per pixel: (600 + 15, 120).
// A constant; it does not follow the container's actual position.
constexpr int kCanvasLeft = 615;
constexpr int kCanvasTop = 120;

}  // namespace

QSize ComposedSize(QSize graph, int legendWidth, ViewMode view, bool tableLegend) {
    return {graph.width() +
                (view == ViewMode::Graph || IsPlotView(view) || tableLegend ? legendWidth : 0),
            graph.height()};
}

QImage ComposeView(const DrawingArea& area, ViewMode view) {
    const QImage& graph = area.pbGraph.image();
    const QImage& canvas = area.pbGraphContents.image();
    const QImage& legend = area.pbLegend.image();
    // A table's legend is empty unless the Table menu changed something; then it is kept.
    const bool tableLegend = view != ViewMode::Graph && area.lngLegendLines > 0;
    const bool withLegend = view == ViewMode::Graph || IsPlotView(view) || tableLegend;

    QImage pbGif(ComposedSize(graph.size(), legend.width(), view, tableLegend),
                 QImage::Format_RGB32);
    if (pbGif.isNull()) return pbGif;
    pbGif.fill(Qt::black);

    QPainter painter(&pbGif);
    painter.drawImage(QPoint(0, 0), graph);

    // The part of the canvas seen through the container, stretched to the container's height.
    // Columns beyond the canvas keep what pbGraph shows there.
    const int frameWidth = area.pbGraphContainer.image().width();
    const int frameHeight = area.pbGraphContainer.image().height();
    const QRect seen(std::abs(area.pbGraphContents.leftPx()), 0, frameWidth, canvas.height());
    const QRect source = seen & canvas.rect();
    if (!source.isEmpty()) {
        const QRect target(TwipsToPixels(kCanvasLeft) + source.x() - seen.x(),
                           TwipsToPixels(kCanvasTop), source.width(), frameHeight);
        painter.drawImage(target, canvas, source);
    }

    if (withLegend) painter.drawImage(QPoint(graph.width(), 0), legend);
    return pbGif;
}

}  // namespace grafolux
