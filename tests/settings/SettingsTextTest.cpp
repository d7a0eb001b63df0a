#include <gtest/gtest.h>

#include "settings/SettingsText.h"

namespace grafolux {
namespace {

TEST(GetSetting, ReadsBlocksEntriesAndComments) {
    const struct {
        const char *text, *key, *value;  // value nullptr: not found
    } rows[] = {
        {"<recentlyopened>\r\nx.txt\r\n</RECENTLYOPENED>", "RecentlyOpened", "\r\nx.txt\r\n"},
        {"\r\n<R>\r\nx.txt\r\n</R>", "R", nullptr},  // a leading line break ends reading
        {"WindowState = 1,2", "WindowState", nullptr},
        {"  WindowState=1,2,3,4,2 # saved  ", "WindowState", "1,2,3,4,2"},
        {"# note\r\n   \r\nk=a=b\r\nK=2", "K", "a"},
        {"<B>\r\nk=1\r\n", "k", nullptr},  // never closed: everything after is inside
        {"<B>\r\nk=1\r\n</b>\r\nk=2", "k", "2"},
        {"<R>\r\n  /x/a#b.txt  \r\n</R>", "R", "\r\n  /x/a\r\n"},
        {"<R>v</R>\r\n", "r", "v"},
    };
    for (const auto& row : rows) {
        std::string value = "untouched";
        EXPECT_EQ(GetSetting(row.text, row.key, value), row.value != nullptr) << row.text;
        EXPECT_EQ(value, row.value ? row.value : "untouched") << row.text;
    }
}

// One row per rule's edge: what the helper gives, and what it must give.
TEST(TextHelpers, EdgesOfEachRule) {
    const struct {
        const char* name;
        std::string got, expected;
    } rows[] = {
        {"quoted comment sign", StripComment("a'#'b#c", "#", "'"), "a'#'b"},
        {"no quotes", StripComment("a'#'b#c", "#", ""), "a'"},
        {"white at both ends", TrimWhite(" \tx y\r\n"), "x y"},
        {"only white: unchanged", TrimWhite("  \t"), "  \t"},
        {"empty", TrimWhite(""), ""},
        {"every line end", NormalizeLines("\r\n\ra\r\nb\rc\n\n\r\n"), "\na\nb\nc\n"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.name;
}

TEST(SplitLines, FinalBreakAddsNoLineLeadingBreakGivesAnEmptyOne) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } rows[] = {
        {"\na\r\nb\r\n", {"", "a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\n\r\n\nb", {"a", "b"}},
        {"", {}},
    };
    for (const auto& row : rows) EXPECT_EQ(SplitLines(row.text), row.lines) << row.text;
}

}  // namespace
}  // namespace grafolux
