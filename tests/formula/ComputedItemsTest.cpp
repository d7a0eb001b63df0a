#include <gtest/gtest.h>

#include <limits>

#include "FormulaTestKit.h"
#include "formula/ComputedItems.h"
#include "formula/FormulaReader.h"
#include "logdata/SampleMarks.h"
#include "support/LogTestKit.h"

namespace grafolux {
namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

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
        {"AFR = 14.7 / O2", {29.4, 14.7, kMissing}, ""},
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
        ((texts.emplace_back("D") += std::to_string(i)) += " = D") +=
            std::to_string(i - 1) + "[-1] + 1";
    const LogData log = test::MakeLog({{"A", {5, 6}}});
    const auto items = ComputeItems(log, Parsed(texts));
    ASSERT_EQ(items.size(), 1000u);
    EXPECT_TRUE(test::Same(items.back().values, {1004, 1004}));
}

std::string ItemsOf(const LogData& log) {
    std::string text;
    for (int32_t k = 1; k <= log.lngItemCount; ++k)
        text += (k > 1 ? " " : "") + log.udtItems[k].strName;
    return text;
}

// Computed items follow the logged ones, column and sample serving both; a new list replaces
// the old one, keeping the looks of the names that stay, wherever they stand.
TEST(AttachComputedItems, NewListReplacesTheOldKeepingTheLooksOfNamesThatStay) {
    LogData log = test::MakeLog({{"O2", {0.5, 1, 0}}, {"MAP", {30, 32, 40}}});
    constexpr Colour kNew = RGB(1, 2, 3), kChosen = RGB(9, 9, 9);
    AttachComputedItems(log, Parsed({"AFR=7.35/O2"}), kNew);
    log.udtItems[3] = {"AFR", true, kChosen, true};  // locked, filled and coloured by the user
    const struct {
        const char* name;
        std::vector<std::string> texts;
        std::string items;
        std::vector<std::vector<double>> computed;  // the computed items' columns, in order
        std::vector<std::string> unavailable;
    } rows[] = {
        {"one new after",
         {"AFR=7.35/O2", "dMAP=MAP-MAP[-1]"},
         "O2 MAP AFR dMAP",
         {{14.7, 7.35, kMissing}, {0, 2, 8}},
         {}},
        {"one new before, unavailable ones left out",
         {"Knock=KNOCK", "Late=Knock>10", "dMAP=MAP-MAP[-1]", "AFR=7.35/O2"},
         "O2 MAP dMAP AFR",
         {{0, 2, 8}, {14.7, 7.35, kMissing}},
         {R"m("Knock=KNOCK": column 7: the log has no item "KNOCK")m",
          R"m("Late=Knock>10": column 6: "Knock" is unavailable for this log)m"}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> unavailable;
        for (const FormulaError& error : AttachComputedItems(log, Parsed(row.texts), kNew))
            unavailable.push_back(error.message);
        EXPECT_EQ(unavailable, row.unavailable) << row.name;
        EXPECT_EQ(ItemsOf(log), row.items) << row.name;
        ASSERT_EQ(log.lngItemCount, 2 + static_cast<int32_t>(row.computed.size())) << row.name;
        EXPECT_EQ(log.sample(2, 3), 40) << row.name;
        for (size_t i = 0; i < row.computed.size(); ++i) {
            EXPECT_TRUE(test::Same(*log.wholeColumn(3 + static_cast<int32_t>(i)), row.computed[i]))
                << row.name;
            const ItemInfo& item = log.udtItems[3 + i];
            EXPECT_EQ(item.colour, item.strName == "AFR" ? kChosen : kNew) << row.name;
        }
    }
}

// Columns beyond the machine's memory are refused before any is made: the log stays as it was.
TEST(AttachComputedItems, ColumnsBeyondMemoryRefusedLeavingTheLog) {
    LogData log = test::MakeLog({{"A", {1, 2}}});
    AttachComputedItems(log, Parsed({"B=A*2"}), 0);
    LogData huge = log;
    huge.lngSampleCount = std::numeric_limits<int32_t>::max();  // no sample read: refused first
    std::vector<std::string> many;
    for (int i = 0; i < 1000; ++i) (many.emplace_back("D") += std::to_string(i)) += "=A";
    EXPECT_THROW(AttachComputedItems(huge, Parsed(many), 0), std::bad_alloc);
    EXPECT_EQ(ItemsOf(huge), "A B");
    EXPECT_EQ(*huge.wholeColumn(2), *log.wholeColumn(2));
}

// As the dialog checks a list being typed: faults of each line's text, and against the log's
// logged items why a sound line is unavailable; nothing is computed.
TEST(CheckDefinitions, EachLineFaultyUnavailableOrSound) {
    LogData log = test::MakeLog({{"O2", {0.5, 1}}, {"MAP", {30, 32}}});
    AttachComputedItems(log, Parsed({"AFR=O2"}), 0);  // its computed items do not count
    const std::vector<std::string> texts = {"A=O2*", "K=KNOCK", "L=K+1", "AFR=MAP"};
    const std::vector<std::string> expected = {
        R"m(T:"A=O2*": column 6: operand expected)m",
        R"m(L:"K=KNOCK": column 3: the log has no item "KNOCK")m",
        R"m(L:"L=K+1": column 3: "K" is unavailable for this log)m", ""};
    const auto faults = CheckDefinitions(texts, log);
    ASSERT_EQ(faults.size(), texts.size());
    for (size_t i = 0; i < faults.size(); ++i) {
        const std::string kind = !faults[i]                                  ? ""
                                 : faults[i]->kind == FormulaErrorKind::Text ? "T:"
                                                                             : "L:";
        EXPECT_EQ(kind + (faults[i] ? faults[i]->message : ""), expected[i]) << texts[i];
    }
    EXPECT_EQ(log.lngItemCount, 3);  // the log as it was
}

// Find's marks: the samples of the range where the value is present and not 0.
TEST(MarkHolding, RunsWithinTheRangeClampedIntoTheLog) {
    const LogData log = test::MakeLog({{"A", {1, 0, 2, kMissing, 3, 3, -1, 0}}});
    auto parsed = ParseExpression("A");
    auto bound = FormulaProgram::Bind(std::get<Expression>(parsed), log);
    const FormulaProgram& program = std::get<FormulaProgram>(bound);
    const struct {
        const char* name;
        int32_t first, last;
        std::vector<SampleMarks::Run> runs;
    } rows[] = {
        {"whole log", 1, 8, {{1, 1}, {3, 3}, {5, 7}}},
        {"a run cut by the range", 6, 8, {{6, 7}}},
        {"first after last", 5, 4, {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MarkHolding(program, row.first, row.last).Runs(), row.runs) << row.name;
    const SampleMarks clamped = MarkHolding(program, -5, 100);
    EXPECT_EQ(clamped.first(), 1);
    EXPECT_EQ(clamped.last(), 8);
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
