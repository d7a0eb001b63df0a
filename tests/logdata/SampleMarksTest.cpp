#include <gtest/gtest.h>

#include <string>

#include "logdata/SampleMarks.h"

namespace grafolux {
namespace {

using RunList = std::vector<SampleMarks::Run>;

// Marks from a pattern: sample first + i is marked when pattern[i] is 'x'.
SampleMarks Pattern(int32_t first, const std::string& pattern) {
    return SampleMarks(first, first + static_cast<int32_t>(pattern.size()) - 1,
                       [&](int32_t s) { return pattern[static_cast<size_t>(s - first)] == 'x'; });
}

std::string Repeat(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

// The parts one after another; appended to one string, which GCC 12 does not mistake for an
// overflow as it does a chain of + on temporaries.
std::string Joined(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) text += part;
    return text;
}

// Runs at the range's ends, runs across word boundaries, one-sample runs, nothing marked.
TEST(SampleMarks, RunsFromEndToEndAcrossWords) {
    const struct {
        int32_t first;
        std::string pattern;
        RunList runs;
    } cases[] = {
        {1, "x..xx.", {{1, 1}, {4, 5}}},
        {10, "..xxx", {{12, 14}}},
        {5, "x", {{5, 5}}},
        {5, ".", {}},
        {1, "", {}},
        {1, Joined({Repeat(".", 63), "xx", Repeat(".", 62), "xxx"}), {{64, 65}, {128, 130}}},
        {100, Repeat("x", 200), {{100, 299}}},
        {1, Repeat("x.", 70),
         [] {
             RunList runs;
             for (int32_t s = 1; s < 140; s += 2) runs.push_back({s, s});
             return runs;
         }()},
    };
    for (const auto& c : cases) {
        const SampleMarks marks = Pattern(c.first, c.pattern);
        EXPECT_EQ(marks.Runs(), c.runs) << c.pattern;
        for (const SampleMarks::Run& run : c.runs) {
            EXPECT_EQ(marks.RunLast(run.first), run.last) << c.pattern << " " << run.first;
            EXPECT_EQ(marks.RunLast(run.last), run.last) << c.pattern << " " << run.first;
        }
        for (size_t i = 0; i < c.pattern.size(); ++i) {
            const int32_t s = c.first + static_cast<int32_t>(i);
            EXPECT_EQ(marks.AnyMarked(s, s), c.pattern[i] == 'x') << c.pattern << " at " << i;
        }
        const int32_t after = c.first + static_cast<int32_t>(c.pattern.size());
        EXPECT_FALSE(marks.AnyMarked(c.first - 1, c.first - 1)) << c.pattern;
        EXPECT_FALSE(marks.AnyMarked(after, after)) << c.pattern;
    }
    EXPECT_EQ(SampleMarks().Runs(), RunList{});
}

// From inside a run, before the range, after it; the nearest run start on each side.
TEST(SampleMarks, NextAndPreviousRunStart) {
    const std::string pattern = Joined({"..xxx...x", Repeat(".", 100), "xx."});  // samples 11..122
    const SampleMarks marks = Pattern(11, pattern);
    const struct {
        int32_t from;
        std::optional<int32_t> next, previous;
    } cases[] = {
        {0, 13, std::nullopt},   {11, 13, std::nullopt},
        {13, 19, std::nullopt},  {14, 19, 13},
        {19, 120, 13},           {20, 120, 19},
        {120, std::nullopt, 19}, {122, std::nullopt, 120},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(marks.NextRunStart(c.from), c.next) << c.from;
        EXPECT_EQ(marks.PreviousRunStart(c.from), c.previous) << c.from;
    }
    const SampleMarks toTheEnd = Pattern(1, "..xxxx");
    EXPECT_EQ(toTheEnd.NextRunStart(4), std::nullopt);  // within the last run
    EXPECT_EQ(toTheEnd.PreviousRunStart(1), std::nullopt);
    EXPECT_EQ(Pattern(1, "xx..").PreviousRunStart(2), 1);
    EXPECT_EQ(SampleMarks().NextRunStart(0), std::nullopt);
    EXPECT_EQ(SampleMarks().PreviousRunStart(10), std::nullopt);
}

TEST(SampleMarks, AnyMarkedWithinAStretch) {
    const SampleMarks marks = Pattern(1, Joined({Repeat(".", 70), "x", Repeat(".", 70)}));
    const struct {
        int32_t from, to;
        bool any;
    } cases[] = {{1, 70, false},  {1, 71, true},    {71, 71, true},   {72, 141, false},
                 {-5, 500, true}, {100, 50, false}, {142, 900, false}};
    for (const auto& c : cases) EXPECT_EQ(marks.AnyMarked(c.from, c.to), c.any) << c.from;
}

}  // namespace
}  // namespace grafolux
