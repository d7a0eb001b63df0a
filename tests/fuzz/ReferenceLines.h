#pragma once
// The lines of a log by its line-end rule, found one byte at a time: a slow second opinion on
// the loader's and the correction's fast scans. CR LF and CR end a line; a lone LF ends one
// only when the first LF comes before the first CR (or there is no CR).

#include <string_view>
#include <vector>

namespace grafolux::fuzz {

inline std::vector<std::string_view> ReferenceLines(std::string_view bytes) {
    const size_t firstLf = bytes.find('\n'), firstCr = bytes.find('\r');
    const bool lfEnds = firstLf != std::string_view::npos && firstLf < firstCr;
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool cr = bytes[i] == '\r';
        if (!cr && !(bytes[i] == '\n' && lfEnds)) continue;
        lines.push_back(bytes.substr(start, i - start));
        if (cr && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

}  // namespace grafolux::fuzz
