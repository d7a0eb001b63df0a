#include <gtest/gtest.h>

#include "views/SampleRange.h"

namespace grafolux {
namespace {

TEST(RangeBoxes, LeavingABoxNormalizesItWithoutCrossingTheOther) {
    struct Case {
        bool first;
        const char *typed, *other, *shown;
    } cases[] = {
        {true, "0", "500", "1"},    {true, "300", "200", "200"},  {true, "2.5", "500", "2"},
        {true, "3.5", "500", "4"},  {true, "abc", "500", "1"},    {true, "9e99", "500", "500"},
        {false, "900", "1", "500"}, {false, "100", "300", "300"}, {false, "abc", "7", "7"},
        {false, "-9e99", "1", "1"}, {false, " 4 2", "1", "42"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.first ? NormalizeFirst(c.typed, c.other) : NormalizeLast(c.typed, c.other, 500),
                  c.shown)
            << c.typed << " beside " << c.other;
}

TEST(RangeBoxes, ReadersRejectOrClampRangesOutsideTheLog) {
    EXPECT_TRUE(IsValidRange("1", "500", 500));
    for (const auto& [first, last] :
         {std::pair{"200", "200"}, {"0", "10"}, {"5", "501"}, {"9", "3"}})
        EXPECT_FALSE(IsValidRange(first, last, 500)) << first << ".." << last;

    struct Case {
        const char *first, *last;
        int32_t count;
        double clampedFirst, clampedLast;
    } cases[] = {{"-3", "900", 500, 1, 500},
                 {"2.5", "7.5", 500, 2.5, 7.5},
                 {"abc", "", 500, 1, 1},
                 {"1", "1", 0, 1, 0}};
    for (const Case& c : cases) {
        const SampleRange range = ClampedRange(c.first, c.last, c.count);
        EXPECT_EQ(range.first, c.clampedFirst) << c.first << ".." << c.last;
        EXPECT_EQ(range.last, c.clampedLast) << c.first << ".." << c.last;
    }
}

}  // namespace
}  // namespace grafolux
