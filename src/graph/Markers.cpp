#include "graph/Markers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace grafolux {

void Markers::KeepWithin(int32_t first, int32_t last) {
    for (std::optional<int32_t>* marker : {&a, &b})
        if (*marker && (**marker < first || **marker > last)) marker->reset();
}

std::optional<std::pair<int32_t, int32_t>> Markers::Span() const {
    if (!a || !b || *a == *b) return std::nullopt;
    return std::pair{std::min(*a, *b), std::max(*a, *b)};
}

namespace {

// Digits after the point in the shortest text that reads back to `value`.
int Decimals(double value) {
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<size_t>(end.ptr - buffer));
    const size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

}  // namespace

double Difference(double a, double b) {
    const double difference = b - a;
    if (!std::isfinite(difference)) return difference;
    // The correctly rounded decimal text of the difference, read back; a text too long for
    // the buffer has more digits than a double holds, so nothing is left to round.
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, difference,
                                   std::chars_format::fixed, std::max(Decimals(a), Decimals(b)));
    double rounded = difference;
    if (end.ec == std::errc()) std::from_chars(buffer, end.ptr, rounded);
    return rounded;
}

}  // namespace grafolux
