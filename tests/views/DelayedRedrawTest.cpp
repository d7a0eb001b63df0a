#include <gtest/gtest.h>

#include "views/DelayedRedraw.h"

namespace grafolux {
namespace {

// A resize at t = 1000 asks for a redraw after 1150; each row is one tick of the timer.
TEST(RedrawDue, OneRedrawOnceTheDeadlineHasPassedAndNeverWithoutALog) {
    const struct {
        int64_t pending, now;
        bool loaded, loading;
        bool redraws;
        int64_t pendingAfter;
    } ticks[] = {
        {RedrawDeadline(1000), 1100, true, false, false, 1150},
        {RedrawDeadline(1000), 1150, true, false, false, 1150},  // not before it has passed
        {RedrawDeadline(1000), 1151, true, false, true, 0},
        {RedrawDeadline(1000), 1151, true, true, false, 1150},  // a load is running: wait
        {RedrawDeadline(1000), 1151, false, false, false, 0},   // nothing to draw: dropped
        {0, 5000, true, false, false, 0},
    };
    for (const auto& t : ticks) {
        int64_t pending = t.pending;
        EXPECT_EQ(RedrawDue(pending, t.now, t.loaded, t.loading), t.redraws) << t.now;
        EXPECT_EQ(pending, t.pendingAfter) << t.now;
    }
}

}  // namespace
}  // namespace grafolux
