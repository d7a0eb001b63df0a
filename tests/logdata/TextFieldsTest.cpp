#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "logdata/TextFields.h"

using grafolux::FileExists;
using grafolux::GetField;
using grafolux::Val;

TEST(Val, ReadsEachFormOfTheNumberRule) {
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"&H1F", 31},
        {"&h1f", 31},
        {"&HFFFF", -1},
        {"&H8000", -32768},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&H7FFFFFFF", 2147483647},
        {"&HFFFFFFFFF", 0},
        {"&H0000000001F", 31},
        {"&O17", 15},
        {"&O177777", -1},
        {"&H", 0},
        {"&X1", 0},
        {"-1.5E2", -150},
        {"1e-2", 0.01},
        {" 12 3 ", 123},
        {"1\t2\n3", 123},
        {"1\r2", 1},
        {"12.5kPa", 12.5},
        {"1,5", 1},
        {"1.2.3", 1.2},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5},
        {"1E", 1},
        {"1E+", 1},
        {"1 E 3", 1000},
        {"+3", 3},
        {"+-3", 0},
        {"-", 0},
        {"abc", 0},
        {"", 0},
        {"0x1A", 0},
        {std::string("7\0"
                     "8",
                     3),
         7},
    };
    for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, NumbersThatDoNotFitAndNonNumbersReadAsPlainZero) {
    const std::string tooLong(400, '9');
    for (const std::string text : {"1E999", "-1E999", "1E-999", "inf", "-inf", "nan", "infinity",
                                   "-0", "-0.0e5", tooLong.c_str()}) {
        const double value = Val(text);
        EXPECT_EQ(value, 0) << text;
        EXPECT_FALSE(std::signbit(value)) << text;
    }
}

TEST(GetField, SplitsAtTheSeparatorWithoutRegardToCase) {
    const struct {
        const char* line;
        int32_t index;
        const char* separator;
        const char* expected;
    } cases[] = {
        {"a,b,,d", 3, ",", ""}, {"a,b", 5, ",", ""},        {"abc", 1, ",", "abc"},
        {"x\r\n", 1, ",", "x"}, {"a\r\n,b", 1, ",", "a"},   {"a,b", 0, ",", ""},
        {"a,b", -1, ",", ""},   {"aXbxc", 3, "x", "c"},     {"a::b::c", 2, "::", "b"},
        {"a,b,", 3, ",", ""},   {"a\tb\r\n", 2, "\t", "b"}, {"", 1, ",", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetField(c.line, c.index, c.separator), c.expected) << c.line << " #" << c.index;
}

TEST(FileExists, TrueForFilesAndFoldersOnly) {
    const auto folder = std::filesystem::path(testing::TempDir()) / "file_exists_test";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "log.txt") << "A\r\n";
    EXPECT_TRUE(FileExists((folder / "log.txt").string()));
    EXPECT_TRUE(FileExists(folder.string()));
    EXPECT_FALSE(FileExists((folder / "missing.txt").string()));
    EXPECT_FALSE(FileExists(""));
}
