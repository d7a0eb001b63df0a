#include <gtest/gtest.h>

#include "tables/CellLabels.h"

namespace grafolux {
namespace {

// The labels a message offers are the first two and the last that the tables read back. Which
// texts read as labels (exactly those the table prints) is the condition fuzz target's check.
TEST(CellLabels, TextsNameTheLabelsThatReadBack) {
    EXPECT_EQ(RowLabelsText(), "400, 800 ... 6400");
    EXPECT_EQ(ColumnLabelsText(), "20, 30 ... 100");
    EXPECT_EQ(RowLabelled("6400"), kTableRows);
    EXPECT_EQ(ColumnLabelled("100"), kTableColumns);
}

}  // namespace
}  // namespace grafolux
