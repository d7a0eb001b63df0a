#pragma once
// The sample range held by the two range boxes.

#include <cstdint>
#include <string>
#include <string_view>

namespace grafolux {

// The number in a range box rounded to a Long (halves to even, clamped), as the tables read it.
int32_t RoundedRangeNumber(std::string_view text);

// Text of tbFirst after it loses the focus.
std::string NormalizeFirst(std::string_view firstText, std::string_view lastText);
// Text of tbLast after it loses the focus.
std::string NormalizeLast(std::string_view lastText, std::string_view firstText,
                          int32_t lngSampleCount);
// A range change redraws only when 0 < first < last <= sample count.
bool IsValidRange(std::string_view firstText, std::string_view lastText, int32_t lngSampleCount);

struct SampleRange {
    double first;
    double last;
};
// The numbers in the boxes, clamped into 1..lngSampleCount before any view reads samples.
SampleRange ClampedRange(std::string_view firstText, std::string_view lastText,
                         int32_t lngSampleCount);

}  // namespace grafolux
