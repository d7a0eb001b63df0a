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
    using LineAndRest = std::pair<std::string, std::string>;
    const auto popped = [](std::string text) {
        std::string line = PopLine(text);
        return LineAndRest{line, text};
    };
    EXPECT_EQ(popped("a\r\n\r\nb\r"), LineAndRest("a", "b\r"));
    EXPECT_EQ(popped("a"), LineAndRest("a", ""));

    const struct {
        std::string got, expected;
    } rows[] = {
        {StripComment("a'#'b#c", "#", "'"), "a'#'b"},
        {StripComment("a'#'b#c", "#", ""), "a'"},
        {std::to_string(FindText(3, "abcABC", "b", 1)), "5"},
        {std::to_string(FindText(3, "abcABC", "b", 0)), "0"},
        {std::to_string(FindText(7, "abcABC", "C", 0)), "0"},  // start beyond the text
        {GetFieldEx("aXbxc", 2, "x", 0), "c"},
        {GetFieldEx("aXbxc", 2, "x", 1), "b"},
        {TrimWhite(" \tx y\r\n"), "x y"},
        {TrimWhite("  \t"), "  \t"},  // only white: unchanged
        {TrimWhite(""), ""},
        {NormalizeLines("\r\n\ra\r\nb\rc\n\n\r\n"), "\na\nb\nc\n"},
        {std::to_string(CountLines("\na\r\nb\r\n")), "3"},
        {GetLine("\na\r\nb\r\n", 1), ""},
        {GetLine("\na\r\nb\r\n", -1), "b"},
        {GetLine("a\nb", 3), ""},
        {GetLine("", -1), ""},
    };
    for (const auto& row : rows) EXPECT_EQ(row.got, row.expected);
}

TEST(ReplaceAll, SearchesFromTheFrontAndNeverLoopsForever) {
    const auto replaced = [](std::string text, const char* searched, const char* replacement) {
        return ReplaceAll(text, searched, replacement) + "|" + text;
    };
    EXPECT_EQ(replaced("aAa", "a", "b"), "3|bbb");
    EXPECT_EQ(replaced("aab", "ab", "b"), "2|b");  // the join makes a new match
    EXPECT_EQ(replaced("ab", "b", "bB"), "1|abB");
    EXPECT_EQ(replaced("abc", "", "x"), "0|abc");
}

}  // namespace
}  // namespace grafolux
