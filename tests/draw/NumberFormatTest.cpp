#include <gtest/gtest.h>

#include "draw/NumberFormat.h"

namespace grafolux {
namespace {

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
    };
    for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.name;
}

}  // namespace
}  // namespace grafolux
