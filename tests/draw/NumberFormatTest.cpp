#include <gtest/gtest.h>

#include "draw/NumberFormat.h"
#include "draw/Surface.h"

namespace grafolux {
namespace {

// Rooms are the texts' own widths, measured in the tables' font.
TEST(FittedNumber, GroupedWhereItFitsElseTheWidestExponentFormThatDoes) {
    Surface surface;
    surface.SetSize(1500, 1500);
    surface.SetFont("Arial", 7);
    const auto width = [&](const char* text) { return surface.TextWidth(text); };
    const struct {
        const char* what;
        double value;
        int decimals;
        double room;
        std::string text;
    } cases[] = {
        {"a trim, just fitting", 128.375, 2, width("128.38"), "128.38"},
        {"a count, just fitting", 2147483647, 0, width("2,147,483,647"), "2,147,483,647"},
        {"a count a pixel too wide", 2147483647, 0, width("2,147,483,647") - 15, "2.15E+09"},
        {"near the largest double", 1e308, 2, width("1.00E+308"), "1.00E+308"},
        {"negative", -1.7e308, 2, width("-1.70E+308"), "-1.70E+308"},
        {"one decimal fits", 1.24e300, 2, width("1.2E+300"), "1.2E+300"},
        {"none fits: the shortest", 1.24e300, 2, 0, "1E+300"},
        {"small numbers keep their grouped form", 1e-300, 2, width("0.00"), "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittedNumber(surface, c.value, c.decimals, c.room).toStdString(), c.text)
            << c.what;
}

TEST(NumberFormat, GroupedAndGeneralTexts) {
    const struct {
        const char* name;
        QString got, expected;
    } rows[] = {
        {"thousands grouped", FormatGrouped(1234567, 0), "1,234,567"},
        {"a half to even", FormatGrouped(0.125, 2), "0.12"},
        {"no minus before zero", FormatGrouped(-0.001, 2), "0.00"},
        {"fifteen significant digits", FormatGeneral(1.23456789012345), "1.23456789012345"},
        {"exponent", FormatGeneral(-1e20), "-1E+20"},
        {"ten digits: noise rounded away", FormatGeneral(0.200000000000003, 10), "0.2"},
        {"ten digits of more", FormatGeneral(1234567.891234, 10), "1234567.891"},
        {"ten digits exactly: as with fifteen", FormatGeneral(1234567891000, 10), "1234567891000"},
        {"one digit: as with fifteen", FormatGeneral(1e12, 10), "1000000000000"},
        {"small, one digit", FormatGeneral(1e-12, 10), "1E-12"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.name;
}

}  // namespace
}  // namespace grafolux
