#include <gtest/gtest.h>

#include "app/RecentList.h"

using grafolux::AddRecent;
using List = std::vector<std::string>;

TEST(AddRecent, KeepsOrderLimitAndUniqueness) {
    const struct {
        const char* what;
        List before;
        std::string added;
        List after;
    } cases[] = {
        {"first entry", {}, "a", {"a"}},
        {"moves an existing one to the front", {"a", "b", "c"}, "b", {"b", "a", "c"}},
        {"a sixth drops the oldest", {"e", "d", "c", "b", "a"}, "f", {"f", "e", "d", "c", "b"}},
        {"another case is another entry", {"/x/A.txt"}, "/x/a.txt", {"/x/a.txt", "/x/A.txt"}},
        {"a hand-edited long list is cut",
         {"1", "2", "3", "4", "5", "6", "7"},
         "8",
         {"8", "1", "2", "3", "4"}},
        {"only the first duplicate goes", {"a", "b", "a"}, "a", {"a", "b", "a"}},
    };
    for (const auto& c : cases) {
        List list = c.before;
        AddRecent(list, c.added);
        EXPECT_EQ(list, c.after) << c.what;
    }
}
