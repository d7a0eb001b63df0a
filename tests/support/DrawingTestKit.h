#pragma once
// Pixel probes for the drawing tests, and the small logs they draw.

#include <QRect>
#include <vector>

#include "draw/Surface.h"
#include "support/LogTestKit.h"

namespace grafolux::test {

inline Colour PixelAt(const Surface& surface, int x, int y) {
    return FromQColor(surface.image().pixelColor(x, y));
}

struct Run {
    int begin, end;  // inclusive
};

// Runs of rows (or, `across`, of columns) of `area` holding `colour`; runs fewer than `gap`
// empty lines apart merge.
inline std::vector<Run> Runs(const Surface& surface, QRect area, Colour colour, bool across,
                             int gap = 0) {
    area &= surface.image().rect();
    std::vector<Run> runs;
    for (int i = 0; i < (across ? area.width() : area.height()); ++i) {
        bool found = false;
        for (int o = 0; o < (across ? area.height() : area.width()) && !found; ++o)
            found = colour == (across ? PixelAt(surface, area.left() + i, area.top() + o)
                                      : PixelAt(surface, area.left() + o, area.top() + i));
        const int at = (across ? area.left() : area.top()) + i;
        if (found && !runs.empty() && at - runs.back().end <= gap + 1)
            runs.back().end = at;
        else if (found)
            runs.push_back({at, at});
    }
    return runs;
}

}  // namespace grafolux::test
