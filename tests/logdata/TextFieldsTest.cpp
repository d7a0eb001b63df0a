#include <gtest/gtest.h>

#include <cmath>

#include "logdata/TextFields.h"

using grafolux::Val;

// Numbers that do not fit, inf and nan read as plain 0 (never -0, inf or nan).
TEST(Val, ReadsEachFormOfTheNumberRule) {
    const std::string tooLong(400, '9');
    // clang-format off
    const struct { std::string text; double expected; } cases[] = {
        {"&H1F", 31}, {"&h1f", 31}, {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536},
        {"&HFFFFFFFF", -1}, {"&H7FFFFFFF", 2147483647}, {"&HFFFFFFFFF", 0}, {"&H0000000001F", 31},
        {"&O17", 15}, {"&O177777", -1}, {"&H", 0}, {"&X1", 0}, {"-1.5E2", -150}, {"1e-2", 0.01},
        {" 12 3 ", 123}, {"1\t2\n3", 123}, {"1\r2", 1}, {"12.5kPa", 12.5}, {"1,5", 1},
        {"1.2.3", 1.2}, {".5", 0.5}, {"-.5", -0.5}, {"5.", 5}, {"1E", 1}, {"1E+", 1},
        {"1 E 3", 1000}, {"+3", 3}, {"+-3", 0}, {"-", 0}, {"abc", 0}, {"", 0}, {"0x1A", 0},
        {{"7\0" "8", 3}, 7}, {"1E999", 0}, {"-1E999", 0}, {"1E-999", 0}, {"inf", 0}, {"-inf", 0},
        {"nan", 0}, {"infinity", 0}, {"-0", 0}, {"-0.0e5", 0}, {tooLong, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const double value = Val(c.text);
        EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
        EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << '"' << c.text << '"';
    }
}

// GetField's fields are the fuzz target's checks against a plain search, over its seeds.

// Appended after what the text holds, and long enough for the longest double.
TEST(ShortestText, ReadsBackToTheSameDouble) {
    const struct {
        const char* name;
        double value;
        const char* expected;
    } cases[] = {
        {"rounding shows", 0.1 + 0.2, "0.30000000000000004"},
        {"exponent", 1e300, "1e+300"},
        {"whole", 6400, "6400"},
        {"negative zero", -0.0, "-0"},
        {"longest", -2.2250738585072014e-308, "-2.2250738585072014e-308"},
        {"infinite", -HUGE_VAL, "-inf"},
    };
    for (const auto& c : cases) {
        std::string text = "x=";
        EXPECT_EQ(grafolux::AppendShortestText(text, c.value), std::string("x=") + c.expected)
            << c.name;
        EXPECT_EQ(grafolux::ShortestText(c.value), c.expected) << c.name;
    }
}
