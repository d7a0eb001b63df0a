#pragma once
// Pixel probes for the drawing tests.

#include <QRect>
#include <vector>

#include "graph/Surface.h"

namespace grafolux::test {

inline Colour PixelAt(const Surface& surface, int x, int y) {
    return FromQColor(surface.image().pixelColor(x, y));
}

struct Run {
    int begin, end;  // inclusive
    int centre() const { return (begin + end) / 2; }
};

// Runs of rows (across = false) or columns (across = true) inside `area` that hold `colour`;
// runs closer than `gap` empty lines merge (the letters of one label).
inline std::vector<Run> Runs(const Surface& surface, QRect area, Colour colour, bool across,
                             int gap = 0) {
    area &= surface.image().rect();
    std::vector<Run> runs;
    const int count = across ? area.width() : area.height();
    for (int i = 0; i < count; ++i) {
        bool found = false;
        for (int o = 0; o < (across ? area.height() : area.width()) && !found; ++o)
            found = across ? PixelAt(surface, area.left() + i, area.top() + o) == colour
                           : PixelAt(surface, area.left() + o, area.top() + i) == colour;
        if (!found) continue;
        const int at = (across ? area.left() : area.top()) + i;
        if (!runs.empty() && at - runs.back().end <= gap + 1)
            runs.back().end = at;
        else
            runs.push_back({at, at});
    }
    return runs;
}

}  // namespace grafolux::test
