#include "graph/SampleAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "logdata/Rounding.h"

namespace grafolux {

int64_t SampleAxis::LastLineVertex() const { return std::max<int64_t>(RoundLong(count) - 1, 1); }

int64_t SampleAxis::LastBandVertex() const { return std::max<int64_t>(RoundLong(count - 1), 1); }

int64_t SampleAxis::Index(int64_t j) const {
    // Kept within the range before rounding, so that it fits; whole numbers need no rounding.
    double s = first + static_cast<double>(j);
    if (!(s >= sFirst)) s = sFirst;
    if (s > sLast) s = sLast;
    const auto whole = static_cast<int64_t>(s);
    return s == static_cast<double>(whole) ? whole : RoundLong(s);
}

int64_t SampleAxis::VertexAtColumn(int column, int canvasWidth) const {
    const int64_t last = LastLineVertex();
    if (column >= canvasWidth - 1) return last;
    if (column <= 0 || !(dx > 0)) return 0;
    // The vertex nearest the column's centre; its rounding to pixels may put it one column
    // off, and then the neighbour on the column's side may lie nearer.
    const double nearest = std::nearbyint(column * double{kTwipsPerPixel} / dx);
    int64_t j = static_cast<int64_t>(std::clamp(nearest, 0.0, static_cast<double>(last)));
    const auto distance = [&](int64_t v) { return std::abs(LineColumn(v) - column); };
    if (LineColumn(j) < column && j < last && distance(j + 1) < distance(j))
        ++j;
    else if (LineColumn(j) > column && j > 0 && distance(j - 1) < distance(j))
        --j;
    return j;
}

int64_t SampleAxis::FirstVertexFrom(int column) const {
    const int64_t last = LastLineVertex();
    if (!(dx > 0)) return 0;
    // Vertices from the column's left edge on; the rounding to pixels decides at the edge.
    const double edge = std::ceil((column - 0.5) * kTwipsPerPixel / dx);
    int64_t j = static_cast<int64_t>(std::clamp(edge, 0.0, static_cast<double>(last)));
    while (j > 0 && LineColumn(j - 1) >= column) --j;
    while (j < last && LineColumn(j) < column) ++j;
    return j;
}

int SampleAxis::ColumnOfSample(int32_t sample, int canvasWidth) const {
    const int64_t last = LastLineVertex();
    // The first vertex showing the sample; vertices are samples one after another but for
    // a range that does not start at a whole number.
    const double guess = std::nearbyint(sample - first);
    int64_t j = static_cast<int64_t>(std::clamp(guess, 0.0, static_cast<double>(last)));
    while (j > 0 && Index(j - 1) >= sample) --j;
    while (j < last && Index(j) < sample) ++j;
    return std::clamp(LineColumn(j), 0, std::max(canvasWidth - 1, 0));
}

}  // namespace grafolux
