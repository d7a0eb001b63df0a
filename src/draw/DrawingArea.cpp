#include "draw/DrawingArea.h"

namespace grafolux {

void ClearLegend(DrawingArea& area) {
    area.lngLegendLines = 0;
    area.pbLegend.Cls();
}

PlotSize PlaceCanvas(DrawingArea& area, double zoom) {
    constexpr double kPixel = kTwipsPerPixel;
    PlotSize plot;
    plot.W = RoundLong(area.pbGraph.Width() - kMarginLeft - kMarginRight);
    plot.H = RoundLong(area.pbGraph.Height() - kMarginTop - kBottomStrip);
    plot.CW = RoundLong((plot.W - kPixel) * zoom);
    area.pbGraphContainer.SetSize(plot.W - kPixel, plot.H + kBottomStrip);
    area.pbGraphContainer.SetTop(kMarginTop);
    area.pbGraphContainer.SetLeft(kPixel + kMarginLeft);
    area.pbGraphContents.SetSize(plot.CW, plot.H + kBottomStrip);
    return plot;
}

}  // namespace grafolux
