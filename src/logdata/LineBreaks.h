#pragma once
// Where the lines of a log held whole in memory end, by the file's line-end rule.

#include <cstring>
#include <string_view>

#include "logdata/LogFormat.h"

namespace grafolux {

class LineBreaks {
public:
    explicit LineBreaks(std::string_view bytes)
        : lfEnds_(LineEndRuleOf(bytes) == LineEndRule::AnyEnd) {}
    explicit LineBreaks(LineEndRule rule) : lfEnds_(rule == LineEndRule::AnyEnd) {}

    // The byte that ends the line starting at `p`, or `end` when the line runs to the end.
    const char* lineEnd(const char* p, const char* end) const {
        if (p == end) return end;
        const char* stop = end;
        if (lfEnds_) stop = Find(p, end, '\n');
        return Find(p, stop, '\r');
    }

    // The first byte of the line after the one that `lineEnd` (< end) ends; CR LF is one end.
    static const char* nextLine(const char* lineEnd, const char* end) {
        return *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n' ? lineEnd + 2
                                                                           : lineEnd + 1;
    }

    // Calls line(begin, end) for each line of [p, end); a line end at `end` adds no line.
    template <typename Visit>
    void forEachLine(const char* p, const char* end, Visit&& line) const {
        while (p < end) {
            const char* stop = lineEnd(p, end);
            if (!line(p, stop)) return;
            p = stop == end ? end : nextLine(stop, end);
        }
    }

private:
    static const char* Find(const char* p, const char* end, char byte) {
        if (p == end) return end;
        const void* found = std::memchr(p, byte, static_cast<size_t>(end - p));
        return found ? static_cast<const char*>(found) : end;
    }

    bool lfEnds_ = false;
};

}  // namespace grafolux
