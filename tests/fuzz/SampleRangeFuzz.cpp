// The range boxes on any texts: normalised texts are whole numbers that never cross, and the
// range the views read stays within 1 ... sample count.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "FuzzKit.h"
#include "logdata/TextFields.h"
#include "views/SampleRange.h"

using namespace grafolux;

namespace {

// A box's text after normalising: a whole number in plain decimal, nothing around it.
int64_t WholeNumber(const std::string& text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    FUZZ_CHECK(error == std::errc() && end == text.data() + text.size());
    FUZZ_CHECK(std::to_string(value) == text);
    FUZZ_CHECK(value >= std::numeric_limits<int32_t>::min() &&
               value <= std::numeric_limits<int32_t>::max());
    return value;
}

// Rounded to nearest inside the range of a Long, clamped to its ends outside.
void CheckRounding(std::string_view text) {
    const double exact = Val(text);
    const int32_t rounded = RoundedRangeNumber(text);
    constexpr auto kMin = std::numeric_limits<int32_t>::min(),
                   kMax = std::numeric_limits<int32_t>::max();
    if (exact >= kMin && exact <= kMax)
        FUZZ_CHECK(std::abs(rounded - exact) <= 0.5);
    else
        FUZZ_CHECK(rounded == (exact < 0 ? kMin : kMax));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    int32_t count = 0;
    for (int byte = 0; byte < 3; ++byte) count = count * 256 + input.Byte();
    if (input.Byte() % 8 == 0) count = -count;
    const std::string_view firstText = input.Until('\n'), lastText = input.Rest();
    CheckRounding(firstText);
    CheckRounding(lastText);

    const SampleRange range = ClampedRange(firstText, lastText, count);
    if (count < 1) {
        FUZZ_CHECK(range.first == 1 && range.last == 0);
    } else {
        FUZZ_CHECK(range.first >= 1 && range.first <= count && range.last >= 1 &&
                   range.last <= count);
    }
    if (IsValidRange(firstText, lastText, count)) FUZZ_CHECK(range.first <= range.last);

    // Leaving a box lowers the first to the last, raises the last to the first, and puts the
    // last back inside the log.
    const int32_t roundedFirst = RoundedRangeNumber(firstText);
    const int64_t first = WholeNumber(NormalizeFirst(firstText, lastText));
    FUZZ_CHECK(first <= std::max(1, roundedFirst));
    if (std::abs(Val(lastText)) < 1e9) FUZZ_CHECK(first == 1 || first <= Val(lastText) + 0.5);
    const int64_t last = WholeNumber(NormalizeLast(lastText, firstText, count));
    FUZZ_CHECK(last <= std::max(count, roundedFirst));
    if (std::abs(Val(firstText)) < 1e9) FUZZ_CHECK(last == count || last >= Val(firstText) - 0.5);

    // Leaving the first box and then the last, in a log the last box was within: the two
    // numbers end in order and inside the log.
    if (count >= 1 && Val(lastText) <= count) {
        const int64_t after = WholeNumber(NormalizeLast(lastText, std::to_string(first), count));
        FUZZ_CHECK(first <= after && after <= count);
    }
    return 0;
}
