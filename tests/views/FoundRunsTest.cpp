#include <gtest/gtest.h>

#include "views/FoundRuns.h"

namespace grafolux {
namespace {

// Samples 10..30 with runs 12..14, 20 and 25..30.
FoundRuns Found() {
    return FoundRuns(
        SampleMarks(10, 30, [](int32_t s) { return (s >= 12 && s <= 14) || s == 20 || s >= 25; }));
}

TEST(FoundRuns, WhereASampleStandsAmongTheRuns) {
    const FoundRuns found = Found();
    EXPECT_EQ(found.count(), 3u);
    const struct {
        int32_t sample;
        size_t run;
        const char* status;
    } rows[] = {
        {11, 0, "3 runs"},     {12, 1, "run 1 of 3"}, {14, 1, "run 1 of 3"}, {15, 0, "3 runs"},
        {20, 2, "run 2 of 3"}, {21, 0, "3 runs"},     {25, 3, "run 3 of 3"}, {30, 3, "run 3 of 3"},
        {31, 0, "3 runs"},     {9, 0, "3 runs"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(found.RunNumberAt(row.sample), row.run) << row.sample;
        EXPECT_EQ(found.Status(row.sample), row.status) << row.sample;
    }
    const FoundRuns one(SampleMarks(1, 5, [](int32_t s) { return s == 3; }));
    EXPECT_EQ(one.Status(1), "1 run");
    EXPECT_EQ(FoundRuns(SampleMarks(1, 5, [](int32_t) { return false; })).Status(3), "not found");
    EXPECT_EQ(FoundRuns().Status(1), "not found");
}

TEST(FindNotice, NothingInTheRangeOrNoRunBeyondTheCursor) {
    const QString dash = QString(QChar(0x2013));
    EXPECT_EQ(FindNotice("A > 1", Found(), FindDirection::Next, 26),
              "No run of \"A > 1\" after sample 26");
    EXPECT_EQ(FindNotice("A > 1", Found(), FindDirection::Previous, 12),
              "No run of \"A > 1\" before sample 12");
    EXPECT_EQ(FindNotice("K", FoundRuns(SampleMarks(5, 80, [](int32_t) { return false; })),
                         FindDirection::Next, 4),
              "\"K\" not found in samples 5" + dash + "80");
}

}  // namespace
}  // namespace grafolux
