#include <gtest/gtest.h>

#include <limits>

#include "FormulaTestKit.h"
#include "formula/FormulaReader.h"
#include "support/LogTestKit.h"

namespace grafolux {
namespace {

constexpr double M = std::numeric_limits<double>::quiet_NaN();  // missing

struct Row {
    const char* name;
    std::string text;
    double expected;
};

// Precedence, every operator and function, missing values through each of them and offsets
// clamped into the log: the fuzz target's checks against an evaluation of its own, over a seed
// for each case (corpus/formula/precedence_*, operator_*, missing_* and offset_*).

// A log longer than several blocks and not a multiple of one: offsets that cross the blocks'
// edges and the log's ends, a formula with many intermediate values, and every part of the log
// computed alone, against the same arithmetic written out.
TEST(Evaluation, LongLogsMatchTheArithmeticAtEverySample) {
    constexpr int n = 1000;
    const LogData log = test::MakeLog({{"A", test::Samples(n, [](int s) { return s * 1.5; })},
                                       {"B", test::Samples(n, [](int s) { return s % 7 - 3.0; })}});
    std::string twentyConstants = "A[-1]*1";
    for (int k = 2; k <= 20; ++k)
        twentyConstants += " + A[-" + std::to_string(k) + "]*" + std::to_string(k);
    const auto a = [&](int64_t s) { return log.sample(1, std::clamp<int64_t>(s, 1, n)); };
    const auto b = [&](int64_t s) { return log.sample(2, std::clamp<int64_t>(s, 1, n)); };
    const struct {
        const char* name;
        const char* text;
        double (*expected)(decltype(a)&, decltype(b)&, int64_t);
    } rows[] = {
        {"previous sample", "A[-1]", [](auto& a, auto&, int64_t s) { return a(s - 1); }},
        {"a block and more later", "A[300]", [](auto& a, auto&, int64_t s) { return a(s + 300); }},
        {"one sample short of the log", "A[999]",
         [](auto& a, auto&, int64_t s) { return a(s + 999); }},
        {"many registers", "(A+B)*(A-B) - (A[-1]+B[1])/(A-B[2]) + if(B>0, A, -A)",
         [](auto& a, auto& b, int64_t s) {
             const double q = (a(s - 1) + b(s + 1)) / (a(s) - b(s + 2));
             return (a(s) + b(s)) * (a(s) - b(s)) - q + (b(s) > 0 ? a(s) : -a(s));
         }},
        {"missing where B is 0", "A / B",
         [](auto& a, auto& b, int64_t s) { return b(s) == 0 ? M : a(s) / b(s); }},
        {"twenty constants", twentyConstants.c_str(),
         [](auto& a, auto&, int64_t s) {
             double sum = a(s - 1) * 1;
             for (int k = 2; k <= 20; ++k) sum += a(s - k) * k;
             return sum;
         }},
    };
    for (const auto& row : rows) {
        auto parsed = ParseExpression(row.text);
        ASSERT_TRUE(std::holds_alternative<Expression>(parsed)) << row.name;
        auto bound = FormulaProgram::Bind(std::get<Expression>(parsed), log);
        ASSERT_TRUE(std::holds_alternative<FormulaProgram>(bound)) << row.name;
        const FormulaProgram& program = std::get<FormulaProgram>(bound);
        std::vector<double> expected;
        for (int s = 1; s <= n; ++s) expected.push_back(row.expected(a, b, s));
        EXPECT_TRUE(test::Same(program.Column(), expected)) << row.name;
        for (const auto& [first, count] :
             {std::pair{1, 1}, {2, 255}, {200, 600}, {745, 256}, {n, 1}, {n - 299, 300}}) {
            std::vector<double> part(static_cast<size_t>(count), -1);
            program.Evaluate(first, part);
            EXPECT_TRUE(test::Same(
                part, {expected.begin() + (first - 1), expected.begin() + (first - 1 + count)}))
                << row.name << ": samples " << first << " on, " << count;
        }
        FormulaReader reader(program);
        for (int s = 1; s <= n; ++s)
            ASSERT_TRUE(test::Same(reader.Value(s), expected[s - 1])) << row.name << ": " << s;
    }
}

TEST(Evaluation, NamesMatchItemsExactly) {
    const std::string longName(100000, 'N');
    std::string longReference = longName;
    longReference.append("[-1]");  // appended: GCC 12 takes + for an overflow here
    const LogData log = test::MakeLog({{"SENSOR:MAP", {1}},
                                       {"MW2:3", {2}},
                                       {"x.y_1", {3}},
                                       {"MW2:3", {4}},
                                       {"\xff\xfe", {5}},
                                       {longName, {6}}});
    const Row rows[] = {
        {"colons", "SENSOR:MAP", 1},          {"named twice: the last", "MW2:3", 4},
        {"dots and underscores", "x.y_1", 3}, {"bytes that are not UTF-8", "\"\xff\xfe\"", 5},
        {"a long name", longReference, 6},
    };
    for (const Row& row : rows) {
        const auto values = test::ValuesOf(row.text, log);
        const auto* column = std::get_if<std::vector<double>>(&values);
        EXPECT_TRUE(column && test::Same(*column, {row.expected})) << row.name;
    }
}

}  // namespace
}  // namespace grafolux
