#include "plots/PixelSamples.h"

#include <cmath>
#include <limits>

#include "tables/SampleFilter.h"

namespace grafolux {

SampleMarks MarkPixelSamples(const LogData& log, int32_t first, int32_t last,
                             const ScatterItems& items, std::span<const SampleCondition> conditions,
                             const PlotPixel& pixel) {
    const int32_t kx = log.itemNamed(items.x), ky = log.itemNamed(items.y);
    if (kx == 0 || ky == 0) return SampleMarks();
    const SampleFilter filter(log, conditions);
    ColumnCursor xs(log.column(kx)), ys(log.column(ky));
    return SampleMarks(first, last, [&](int32_t s) {
        const double x = xs.at(s - 1), y = ys.at(s - 1);
        return !std::isnan(x) && !std::isnan(y) && pixel.x.PixelOf(x) == pixel.column &&
               pixel.y.RowOf(y) == pixel.row && filter.Passes(s);
    });
}

std::optional<int32_t> NearestSample(const SampleMarks& marks, const LogData& log,
                                     const ScatterItems& items, const PlotPixel& pixel, double x,
                                     double y) {
    const int32_t kx = log.itemNamed(items.x), ky = log.itemNamed(items.y);
    if (kx == 0 || ky == 0) return std::nullopt;
    std::optional<int32_t> nearest;
    double shortest = std::numeric_limits<double>::infinity();
    for (const SampleMarks::Run& run : marks.Runs())
        for (int32_t s = run.first; s <= run.last; ++s) {
            // Measured in pixels, as the eye sees it.
            const double dx = (FractionOf(log.sample(kx, s), pixel.x.low, pixel.x.high) -
                               FractionOf(x, pixel.x.low, pixel.x.high)) *
                              pixel.x.pixels;
            const double dy = (FractionOf(log.sample(ky, s), pixel.y.low, pixel.y.high) -
                               FractionOf(y, pixel.y.low, pixel.y.high)) *
                              pixel.y.pixels;
            if (dx * dx + dy * dy < shortest) {
                shortest = dx * dx + dy * dy;
                nearest = s;
            }
        }
    return nearest;
}

}  // namespace grafolux
