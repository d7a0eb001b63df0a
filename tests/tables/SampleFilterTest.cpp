#include <gtest/gtest.h>

#include <cmath>

#include "support/DrawingTestKit.h"
#include "tables/SampleFilter.h"

namespace grafolux {
namespace {

// How a condition reads (the name, the first operator from the left, the number by the number
// rule) and that both its written forms read back are the fuzz target's checks, over its seeds;
// here what a text that does not read says.
TEST(ParseCondition, MalformedTextSaysWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "no operator"},          {"SENSOR:CTS 80", "no operator"},
        {">=80", "no item name"},     {"  = 1", "no item name"},
        {"A=", "no number"},          {"A>=  ", "no number"},
        {"A=abc", "is not a number"}, {"A==1", "is not a number"},
        {"A=<5", "is not a number"},  // "=" is the first operator from the left
    };
    for (const auto& [text, why] : cases) {
        const auto parsed = ParseCondition(text);
        ASSERT_TRUE(std::holds_alternative<ConditionError>(parsed)) << text;
        EXPECT_NE(std::get<ConditionError>(parsed).message.find(why), std::string::npos)
            << text << ": " << std::get<ConditionError>(parsed).message;
    }
    // The message quotes the text, its line breaks written out, and stays one line.
    const auto parsed = ParseCondition("A=\nx\r\n");
    ASSERT_TRUE(std::holds_alternative<ConditionError>(parsed));
    EXPECT_EQ(std::get<ConditionError>(parsed).message, R"("\nx\r\n" is not a number)");
}

// A missing value (NaN, as computed items have) fails every operator, != too. Each operator at
// its boundary, and every condition holding at once, are the fuzz target's checks.
TEST(SampleFilter, MissingValueFailsEveryOperator) {
    const LogData log = test::MakeLog({{"A", {std::nan("")}}});
    for (const CompareOp op : {CompareOp::Less, CompareOp::LessEqual, CompareOp::Greater,
                               CompareOp::GreaterEqual, CompareOp::Equal, CompareOp::NotEqual}) {
        const std::vector<SampleCondition> conditions = {{"A", op, 80}};
        const SampleFilter filter(log, conditions);
        double weight = 1;
        filter.MarkWeights(1, 1, &weight);
        EXPECT_FALSE(filter.Passes(1)) << ConditionText(conditions[0]);
        EXPECT_EQ(weight, 0) << ConditionText(conditions[0]);
    }
}

// Each condition's failures counted on its own, added to what the counts held; a condition on an
// item the log lacks is ignored.
TEST(SampleFilter, FailuresCountedPerCondition) {
    const LogData log = test::MakeLog({{"MW2:7", {0, 1, 1, 1}}, {"SENSOR:CTS", {90, 90, 70, 80}}});
    const std::vector<SampleCondition> conditions = {
        {"MW2:7", CompareOp::Equal, 1},
        {"SENSOR:EGT", CompareOp::Less, 0},  // the log has no such item
        {"SENSOR:CTS", CompareOp::GreaterEqual, 80},
    };
    const SampleFilter filter(log, conditions);
    std::vector<int64_t> failing = {10, 20, 30};
    double weights[4];
    filter.MarkWeights(1, 4, weights, failing);
    EXPECT_EQ(failing, (std::vector<int64_t>{11, 20, 31}));
    EXPECT_EQ(std::vector<double>(weights, weights + 4), (std::vector<double>{0, 1, 0, 1}));
    EXPECT_EQ(filter.conditionCount(), 3u);
    const SampleFilter onlyMissing(log, std::span(conditions).subspan(1, 1));
    EXPECT_TRUE(onlyMissing.passesAll());
    EXPECT_TRUE(onlyMissing.Passes(1));
}

TEST(ConditionText, StoredWithAsciiOperatorsShownWithTheMathematicalSigns) {
    EXPECT_EQ(ConditionDisplayText({"SENSOR:CTS", CompareOp::GreaterEqual, 80}),
              "SENSOR:CTS \u2265 80");
    EXPECT_EQ(ConditionDisplayText({"A", CompareOp::NotEqual, 0.5}), "A \u2260 0.5");
    EXPECT_EQ(ConditionText({"A", CompareOp::LessEqual, -1e308}), "A<=-1e+308");
    EXPECT_EQ(ConditionText({"A!", CompareOp::Equal, 1}), "A! = 1");  // not "A" != 1
}

}  // namespace
}  // namespace grafolux
