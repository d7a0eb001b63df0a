#include "logdata/LogFormat.h"

namespace grafolux {

std::optional<LineEndRule> LineEndRuleOf(std::string_view bytes) {
    const size_t end = FirstLineEnd(bytes);
    if (end == std::string_view::npos) return std::nullopt;
    return bytes[end] == '\n' ? LineEndRule::AnyEnd : LineEndRule::CrLfOrCr;
}

size_t FirstLineEnd(std::string_view text) { return text.find_first_of("\r\n"); }

std::vector<std::string_view> HeaderNames(std::string_view header) {
    std::vector<std::string_view> names;
    size_t start = 0;
    for (;;) {
        const size_t tab = std::min(header.find('\t', start), header.size());
        if (tab == start) return names;
        names.push_back(header.substr(start, tab - start));
        if (tab == header.size()) return names;
        start = tab + 1;
    }
}

}  // namespace grafolux
