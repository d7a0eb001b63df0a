#include <gtest/gtest.h>

#include "tables/CellLabels.h"

namespace grafolux {
namespace {

TEST(CellLabels, RowsAndColumnsAsTheTablePrintsThem) {
    const struct {
        const char* text;
        std::optional<int> row, column;
    } cases[] = {
        {"400", 1, {}},  {"6400", 16, {}}, {"20", {}, 1},    {"100", {}, 9},
        {"110", {}, {}}, {"0", {}, {}},    {"6800", {}, {}}, {"1000", {}, {}},
        {"25", {}, {}},  {"-400", {}, {}}, {"nan", {}, {}},  {"400.0", {}, {}},
        {"50 ", {}, {}}, {"", {}, {}},     {"0400", {}, {}}, {"+400", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowLabelled(c.text), c.row) << c.text;
        EXPECT_EQ(ColumnLabelled(c.text), c.column) << c.text;
    }
}

// The labels a message offers are the first two and the last that the tables read back.
TEST(CellLabels, TextsNameTheLabelsThatReadBack) {
    EXPECT_EQ(RowLabelsText(), "400, 800 ... 6400");
    EXPECT_EQ(ColumnLabelsText(), "20, 30 ... 100");
    EXPECT_EQ(RowLabelled("6400"), kTableRows);
    EXPECT_EQ(ColumnLabelled("100"), kTableColumns);
}

}  // namespace
}  // namespace grafolux
