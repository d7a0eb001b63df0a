#include "views/SampleRange.h"

#include <algorithm>

#include "logdata/Rounding.h"
#include "logdata/TextFields.h"

namespace grafolux {

int32_t RoundedRangeNumber(std::string_view text) { return RoundLong(Val(text)); }

std::string NormalizeFirst(std::string_view firstText, std::string_view lastText) {
    int32_t v = RoundedRangeNumber(firstText);
    if (v < 1)
        v = 1;
    else if (Val(lastText) <= v)  // the unrounded last decides, so the two never cross
        v = RoundedRangeNumber(lastText);
    return std::to_string(v);
}

std::string NormalizeLast(std::string_view lastText, std::string_view firstText,
                          int32_t lngSampleCount) {
    int32_t v = RoundedRangeNumber(lastText);
    if (v > lngSampleCount)
        v = lngSampleCount;
    else if (Val(firstText) >= v)
        v = RoundedRangeNumber(firstText);
    return std::to_string(v);
}

bool IsValidRange(std::string_view firstText, std::string_view lastText, int32_t lngSampleCount) {
    const double first = Val(firstText), last = Val(lastText);
    return first > 0 && last > 0 && last > first && last <= lngSampleCount;
}

SampleRange ClampedRange(std::string_view firstText, std::string_view lastText,
                         int32_t lngSampleCount) {
    // A log without samples has no range at all: first > last reads nothing.
    if (lngSampleCount < 1) return {1, 0};
    const double count = lngSampleCount;
    return {std::clamp(Val(firstText), 1.0, count), std::clamp(Val(lastText), 1.0, count)};
}

}  // namespace grafolux
