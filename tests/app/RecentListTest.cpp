#include <gtest/gtest.h>

#include "app/RecentList.h"

using grafolux::AddRecent;
using List = std::vector<std::string>;

struct RecentCase {
    const char* name;
    List before;
    std::string added;
    List after;
};

class AddRecentTest : public testing::TestWithParam<RecentCase> {};

TEST_P(AddRecentTest, KeepsOrderLimitAndUniqueness) {
    List list = GetParam().before;
    AddRecent(list, GetParam().added);
    EXPECT_EQ(list, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddRecentTest,
    testing::Values(
        RecentCase{"FirstEntry", {}, "a", {"a"}},
        RecentCase{"MovesExistingToFront", {"a", "b", "c"}, "b", {"b", "a", "c"}},
        RecentCase{"SixthDropsOldest", {"e", "d", "c", "b", "a"}, "f", {"f", "e", "d", "c", "b"}},
        RecentCase{"CaseDiffersIsAnotherEntry", {"/x/A.txt"}, "/x/a.txt", {"/x/a.txt", "/x/A.txt"}},
        RecentCase{"HandEditedLongListIsCutOnAdd",
                   {"1", "2", "3", "4", "5", "6", "7"},
                   "8",
                   {"8", "1", "2", "3", "4"}},
        RecentCase{"OnlyFirstDuplicateRemoved", {"a", "b", "a"}, "a", {"a", "b", "a"}}),
    [](const auto& info) { return std::string(info.param.name); });
