#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "views/MarkedColumns.h"

namespace grafolux {
namespace {

// Every column against the drawing's vertex -> column mapping, vertex by vertex: a column
// is marked when a vertex drawn in it (or clipped into the last one) shows a marked sample,
// or one that the rounding of the range skips just before it.
TEST(MarkedColumns, ColumnsThatDrawAMarkedSample) {
    const struct {
        const char* what;
        SampleAxis axis;
        int width;
        int samples;
    } cases[] = {
        {"dense", {1, 20000, 1, 20000, 7440.0 / 19999}, 496, 20000},
        {"dense, part", {300, 9701, 300, 10000, 18600.0 / 9700}, 1240, 20000},
        {"sparse", {1, 60, 1, 60, 7440.0 / 59}, 496, 60},
        {"sparse, zoomed", {1, 60, 1, 60, 74400.0 / 59}, 4960, 60},
        {"not whole", {1.5, 999, 2, 1000, 7440.0 / 998}, 496, 1000},
        {"one sample", {4, 1, 4, 4, 7440}, 496, 10},
        {"about one a column", {1, 497, 1, 497, 7440.0 / 496}, 496, 497},
    };
    std::mt19937 random(3);
    for (const auto& c : cases)
        for (const int density : {2, 50, 5000}) {
            // Runs of marked samples, and the range's first and last sample marked.
            std::vector<bool> marked(static_cast<size_t>(c.samples) + 1);
            for (int s = 1; s <= c.samples; ++s)
                marked[static_cast<size_t>(s)] =
                    random() % density == 0 || (s > 1 && marked[s - 1] && random() % 3 != 0);
            marked[static_cast<size_t>(c.axis.sFirst)] = marked[static_cast<size_t>(c.axis.sLast)] =
                true;
            const SampleMarks marks(1, c.samples, [&](int32_t s) { return marked[s]; });

            std::vector<bool> expected(static_cast<size_t>(c.width));
            for (int64_t j = 0; j <= c.axis.LastLineVertex(); ++j)
                for (int64_t s = j > 0 ? c.axis.Index(j - 1) + 1 : c.axis.Index(0);
                     s <= c.axis.Index(j); ++s)
                    if (marked[static_cast<size_t>(s)])
                        expected[static_cast<size_t>(std::min(c.axis.LineColumn(j), c.width - 1))] =
                            true;
            std::vector<bool> found(static_cast<size_t>(c.width));
            int previousEnd = -2;
            for (const ColumnSpan& span : MarkedColumns(marks, c.axis, c.width)) {
                EXPECT_GT(span.first, previousEnd + 1) << c.what;  // ascending, not touching
                EXPECT_LE(span.first, span.last) << c.what;
                previousEnd = span.last;
                for (int x = span.first; x <= span.last; ++x) found[static_cast<size_t>(x)] = true;
            }
            EXPECT_EQ(found, expected) << c.what << ", one in " << density;
        }
}

}  // namespace
}  // namespace grafolux
