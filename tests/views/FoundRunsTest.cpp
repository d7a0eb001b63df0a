#include <gtest/gtest.h>

#include "views/FoundRuns.h"

namespace grafolux {
namespace {

// Samples 10..30 with runs 12..14, 20 and 25..30: a sample's run from its first sample to its
// last, none between them.
TEST(FoundRuns, WhereASampleStandsAmongTheRuns) {
    const FoundRuns found(
        SampleMarks(10, 30, [](int32_t s) { return (s >= 12 && s <= 14) || s == 20 || s >= 25; }));
    const std::pair<int32_t, const char*> rows[] = {
        {11, "3 runs"},     {12, "run 1 of 3"}, {14, "run 1 of 3"}, {15, "3 runs"},
        {20, "run 2 of 3"}, {21, "3 runs"},     {30, "run 3 of 3"}, {31, "3 runs"}};
    for (const auto& [sample, status] : rows) EXPECT_EQ(found.Status(sample), status) << sample;
    EXPECT_EQ(FoundRuns(SampleMarks(1, 5, [](int32_t s) { return s == 3; })).Status(1), "1 run");
    EXPECT_EQ(FoundRuns().Status(1), "not found");
    EXPECT_EQ(FindNotice("A", found, FindDirection::Previous, 12),
              "No run of \"A\" before sample 12");
}

}  // namespace
}  // namespace grafolux
