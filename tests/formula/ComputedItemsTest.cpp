#include <gtest/gtest.h>

#include <limits>

#include "FormulaTestKit.h"
#include "formula/ComputedItems.h"
#include "formula/FormulaReader.h"
#include "logdata/SampleMarks.h"
#include "support/DrawingTestKit.h"

namespace grafolux {
namespace {

constexpr double M = std::numeric_limits<double>::quiet_NaN();

std::vector<Definition> Parsed(const std::vector<std::string>& texts) {
    auto parsed = ParseDefinitions(texts);
    if (auto* error = std::get_if<FormulaError>(&parsed)) ADD_FAILURE() << error->message;
    return std::get<std::vector<Definition>>(std::move(parsed));
}

// Each definition computed or unavailable with its reason; the unavailable ones take only
// their dependants with them.
TEST(ComputeItems, UnavailableDefinitionsLeaveTheOthersWorking) {
    const LogData log =
        test::MakeLog({{"O2", {0.5, 1, 0}}, {"MAP", {30, 32, 40}}, {"TPS", {0, 0, 0}}});
    const struct {
        std::string text;
        std::vector<double> values;
        std::string unavailable;
    } rows[] = {
        {"AFR = 14.7 / O2", {29.4, 14.7, M}, ""},
        {"dMAP=MAP - MAP[-1]", {0, 2, 8}, ""},
        {"Knock=KNOCK > 0", {}, R"m("Knock=KNOCK > 0": column 7: the log has no item "KNOCK")m"},
        {"Late = Knock and dMAP > 0",
         {},
         R"m("Late = Knock and dMAP > 0": column 8: "Knock" is unavailable for this log)m"},
        {"Lean = AFR[-1] > 15", {1, 1, 0}, ""},
        {"TPS=1", {}, R"m("TPS=1": column 1: the log has an item named "TPS")m"},
        // The definition above, not the item.
        {"Uses TPS = \"TPS\" + 1",
         {},
         R"m("Uses TPS = "TPS" + 1": column 12: "TPS" is unavailable for this log)m"},
    };
    std::vector<std::string> texts;
    for (const auto& row : rows) texts.push_back(row.text);
    const std::vector<ComputedItem> items = ComputeItems(log, Parsed(texts));
    ASSERT_EQ(items.size(), std::size(rows));
    for (size_t i = 0; i < items.size(); ++i) {
        const auto& row = rows[i];
        EXPECT_TRUE(test::Same(items[i].values, row.values)) << row.text;
        EXPECT_EQ(items[i].unavailable.has_value(), !row.unavailable.empty()) << row.text;
        if (!items[i].unavailable) continue;
        EXPECT_EQ(items[i].unavailable->kind, FormulaErrorKind::Log) << row.text;
        EXPECT_EQ(items[i].unavailable->message, row.unavailable);
    }
}

// A bare expression (a Find's condition) names computed items as definitions do.
TEST(ComputeItems, ConditionsNameComputedItems) {
    const LogData log = test::MakeLog({{"A", {1, 2}}, {"B", {3, 4}}});
    auto items = ComputeItems(log, Parsed({"S=A*2", "B=0", "C=X"}));
    items.push_back(ComputeItems(test::MakeLog({{"A", {1, 2, 3}}}), Parsed({"E=A"}))[0]);
    const struct {
        const char* name;
        const char* text;
        std::variant<std::vector<double>, std::string> expected;
    } rows[] = {
        {"available", "S[1] >= 3", std::vector<double>{1, 1}},
        {"name taken by an item", "B", R"m("B": column 1: "B" is unavailable for this log)m"},
        {"naming a missing item", "1+C", R"m("1+C": column 3: "C" is unavailable for this log)m"},
        {"unknown", "D", R"m("D": column 1: the log has no item "D")m"},
        {"of another log", "E", R"m("E": column 1: "E" was computed for another log)m"},
    };
    for (const auto& row : rows) {
        const auto values = test::ValuesOf(row.text, log, items);
        EXPECT_EQ(test::Shown(values), test::Shown(row.expected)) << row.name;
    }
}

// A thousand definitions, each using the one before: linear work, the last one right.
TEST(ComputeItems, AThousandDefinitionsInAChain) {
    std::vector<std::string> texts = {"D0 = A"};
    for (int i = 1; i < 1000; ++i)
        texts.push_back("D" + std::to_string(i) + " = D" + std::to_string(i - 1) + "[-1] + 1");
    const LogData log = test::MakeLog({{"A", {5, 6}}});
    const auto items = ComputeItems(log, Parsed(texts));
    ASSERT_EQ(items.size(), 1000u);
    EXPECT_TRUE(test::Same(items.back().values, {1004, 1004}));
}

// Find: the runs of samples where a condition holds, over a log many blocks long.
TEST(ComputeItems, RunsOfAConditionOverALongLog) {
    constexpr int n = 20000;
    const LogData log =
        test::MakeLog({{"KNOCK", test::Samples(n, [](int s) { return double(s / 3); })},
                       {"TPS", test::Samples(n, [](int s) { return double(s % 1000 / 10); })}});
    auto parsed = ParseExpression("KNOCK > KNOCK[-1] and TPS > 50");
    auto bound = FormulaProgram::Bind(std::get<Expression>(parsed), log);
    FormulaReader reader(std::get<FormulaProgram>(bound));
    const SampleMarks marks(1, n, [&](int32_t s) { return reader.Holds(s); });
    std::vector<SampleMarks::Run> expected;
    for (int s = 2; s <= n; ++s)
        if (s % 3 == 0 && s % 1000 >= 510) expected.push_back({s, s});
    EXPECT_EQ(marks.Runs(), expected);
}

}  // namespace
}  // namespace grafolux
