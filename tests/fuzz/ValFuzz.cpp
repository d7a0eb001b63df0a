// The number rule on any text, and on the texts of any double and any whole number.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "FuzzKit.h"
#include "logdata/TextFields.h"

using namespace grafolux;

namespace {

std::string Digits(uint64_t value, int base) {
    char text[72];
    return {text, std::to_chars(text, text + sizeof text, value, base).ptr};
}

// Every text reads as a finite number, never -0, and blanks anywhere change nothing; reading
// stops at a character that cannot continue a number.
void CheckAnyText(std::string_view text, size_t blankAt) {
    const double value = Val(text);
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(!(value == 0 && std::signbit(value)));
    std::string spaced(text);
    spaced.insert(std::min(blankAt, spaced.size()), " \t\n");
    FUZZ_CHECK(fuzz::SameBits(Val(spaced), value));
    FUZZ_CHECK(fuzz::SameBits(Val(std::string(text) + "x"), value));
    if (!text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.'))
        FUZZ_CHECK(
            fuzz::SameBits(Val(std::string(1, '-').append(text)), value == 0 ? 0.0 : -value));
}

// A finite double written in the shortest, the scientific and the fixed form reads back as
// itself; one beyond the range of a double reads as 0.
void CheckDouble(double value) {
    if (!std::isfinite(value)) return;
    const double expected = value + 0.0;
    char text[400];
    for (auto format :
         {std::chars_format::general, std::chars_format::scientific, std::chars_format::fixed}) {
        const auto end = std::to_chars(text, text + sizeof text, value, format).ptr;
        FUZZ_CHECK(fuzz::SameBits(Val({text, static_cast<size_t>(end - text)}), expected));
    }
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 17).ptr;
    FUZZ_CHECK(fuzz::SameBits(Val({text, static_cast<size_t>(end - text)}), expected));
    const std::string mantissa(text, std::find(text, end, 'e'));
    FUZZ_CHECK(value == 0 || (Val(mantissa + "E999") == 0 && Val(mantissa + "e-999") == 0));
}

// &H and &O: 16-bit signed when the number fits in 16 bits, else 32-bit signed; beyond 32
// bits 0. Leading zeros change nothing.
void CheckWholeNumber(uint64_t value) {
    const double expected = value <= 0xFFFF       ? static_cast<int16_t>(value)
                            : value <= 0xFFFFFFFF ? static_cast<int32_t>(value)
                                                  : 0;
    FUZZ_CHECK(fuzz::SameBits(Val("&H" + Digits(value, 16)), expected));
    FUZZ_CHECK(fuzz::SameBits(Val("&h00" + Digits(value, 16)), expected));
    FUZZ_CHECK(fuzz::SameBits(Val("&O" + Digits(value, 8)), expected));
    FUZZ_CHECK(fuzz::SameBits(Val("&o0" + Digits(value, 8) + "9"), expected));
    if (value < (uint64_t{1} << 53))
        FUZZ_CHECK(Val(Digits(value, 10)) == static_cast<double>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const size_t blankAt = input.Byte();
    CheckAnyText(std::string_view(reinterpret_cast<const char*>(data), size), blankAt);
    if (size >= 8) {
        uint64_t bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckDouble(std::bit_cast<double>(bits));
        CheckWholeNumber(bits >> (data[0] % 64));
    }
    return 0;
}
