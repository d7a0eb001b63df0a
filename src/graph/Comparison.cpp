#include "graph/Comparison.h"

#include <algorithm>
#include <cmath>

#include "draw/Surface.h"

namespace grafolux {

int32_t ClampOffset(int64_t offset, int32_t countA, int32_t countB) {
    if (countA < 1 || countB < 1) return 0;
    return static_cast<int32_t>(std::clamp<int64_t>(offset, 1 - int64_t{countB}, countA - 1));
}

int32_t OffsetAligning(int32_t sampleA, int32_t sampleB, int32_t countA, int32_t countB) {
    return ClampOffset(int64_t{sampleA} - sampleB, countA, countB);
}

int32_t DraggedOffset(int32_t startOffset, double pixels, double twipsPerSample, int32_t countA,
                      int32_t countB) {
    if (!(twipsPerSample > 0)) return ClampOffset(startOffset, countA, countB);
    const double samples = std::nearbyint(pixels * kTwipsPerPixel / twipsPerSample);
    const double clamped = std::clamp(samples, -0x1p40, 0x1p40);  // far beyond any log
    return ClampOffset(startOffset + static_cast<int64_t>(clamped), countA, countB);
}

int32_t NearestValueSample(std::span<const double> values, double value, int64_t near) {
    if (std::isnan(value)) return 0;
    int32_t best = 0;
    double distance = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const double d = std::fabs(values[i] - value);
        const int64_t sample = static_cast<int64_t>(i) + 1;
        const bool nearer =
            d < distance || (d == distance && std::llabs(sample - near) < std::llabs(best - near));
        if (!std::isnan(d) && (best == 0 || nearer)) {
            best = static_cast<int32_t>(sample);
            distance = d;
        }
    }
    return best;
}

std::pair<int64_t, int64_t> VerticesOnSamples(double first, int64_t lastVertex, int64_t low,
                                              int64_t high) {
    const auto sampleAt = [first](int64_t j) { return NearestWhole(first + double(j)); };
    const auto near = [lastVertex](double j) {
        return static_cast<int64_t>(std::clamp(j, -1.0, static_cast<double>(lastVertex) + 1));
    };
    int64_t from = std::max<int64_t>(near(std::ceil(double(low) - first) - 1), 0);
    while (from <= lastVertex && sampleAt(from) < double(low)) ++from;
    int64_t to = std::min(near(std::floor(double(high) - first) + 1), lastVertex);
    while (to >= 0 && sampleAt(to) > double(high)) --to;
    return {from, to};
}

}  // namespace grafolux
