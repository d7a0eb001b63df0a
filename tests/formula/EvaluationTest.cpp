#include <gtest/gtest.h>

#include <limits>

#include "FormulaTestKit.h"
#include "formula/FormulaReader.h"
#include "support/DrawingTestKit.h"

namespace grafolux {
namespace {

constexpr double M = std::numeric_limits<double>::quiet_NaN();  // missing

struct Row {
    const char* name;
    std::string text;
    double expected;
};

// Each row's text in a one-sample log; its value must be `expected` to the last bit.
void ExpectValues(std::span<const Row> rows) {
    const LogData log = test::MakeLog({{"A", {2}}, {"min", {7}}, {"and", {5}}, {"A B", {9}}});
    for (const Row& row : rows) {
        const auto values = test::ValuesOf(row.text, log);
        const auto* column = std::get_if<std::vector<double>>(&values);
        EXPECT_TRUE(column && test::Same(*column, {row.expected}))
            << row.name << ": " << row.text << " gave " << test::Shown(values);
    }
}

TEST(Evaluation, PrecedenceAndAssociativity) {
    const Row rows[] = {
        {"product before sum", "1+2*3", 7},
        {"sum left to right", "10-4-3", 3},
        {"quotient left to right", "64/4/2", 8},
        {"unary minus before sum", "- 2 + 3", 1},
        {"double minus", "2--3", 5},
        {"sum before comparison", "3 > 1+1", 1},
        {"comparison before not", "not 1 = 2", 1},
        {"not before and", "not 0 and 0", 0},
        {"and before or", "1 or 1 and 0", 1},
        {"parentheses group", "(1+2)*3", 9},
        {"comparisons joined by and", "1 < 2 and 3 >= 4", 0},
        {"numbers in every form", "12 + 1.5 + .5 + 1e3 + 2.5E-2 + 1.", 1015.025},
    };
    ExpectValues(rows);
}

TEST(Evaluation, OperatorsAndFunctions) {
    const Row rows[] = {
        // Below, at and above: (1 OP 2) * 4 + (2 OP 2) * 2 + (3 OP 2).
        {"equal", "(1 = 2)*4 + (2 = 2)*2 + (3 = 2)", 2},
        {"not equal", "(1 != 2)*4 + (2 != 2)*2 + (3 != 2)", 5},
        {"less", "(1 < 2)*4 + (2 < 2)*2 + (3 < 2)", 4},
        {"less or equal", "(1 <= 2)*4 + (2 <= 2)*2 + (3 <= 2)", 6},
        {"greater", "(1 > 2)*4 + (2 > 2)*2 + (3 > 2)", 1},
        {"greater or equal", "(1 >= 2)*4 + (2 >= 2)*2 + (3 >= 2)", 3},
        {"and of non-zeros", "2 and -1", 1},
        {"and with zero", "2 and 0", 0},
        {"or of zeros", "0 or 0", 0},
        {"or with one", "0 or -3", 1},
        {"not of non-zero", "not 3", 0},
        {"not of zero", "not 0", 1},
        {"abs", "abs(-2.5)", 2.5},
        {"abs of -0", "abs(-0)", 0},
        {"sqrt", "sqrt(9)", 3},
        {"min", "min(2, 1)", 1},
        {"min first", "min(1, 2)", 1},
        {"min tie gives first", "min(0, -0)", 0},
        {"max", "max(1, 2)", 2},
        {"max first", "max(2, 1)", 2},
        {"max tie gives first", "max(-0, 0)", -0.0},
        {"if true", "if(1, 2, 3)", 2},
        {"if false", "if(0, 2, 3)", 3},
        {"if any non-zero", "if(-0.5, 2, 3)", 2},
        {"negation", "-A", -2},
        {"item called min", "min + 1", 8},
        {"function with a blank", "min (4, 3)", 3},
        {"item called like a keyword, quoted", "\"and\" * 2", 10},
        {"item with a blank, quoted", "\"A B\"", 9},
    };
    ExpectValues(rows);
}

// Missing is contagious: through every operator, on either side, and never short-circuited.
TEST(Evaluation, MissingValuesPropagate) {
    const Row rows[] = {
        {"division by zero", "1/0", M},
        {"zero by zero", "0/0", M},
        {"overflow of a product", "1e308*10", M},
        {"overflow of a sum", "1e308+1e308", M},
        {"overflow of a difference", "-1e308-1e308", M},
        {"sqrt of a negative", "sqrt(-1)", M},
        {"sum", "1/0 + 1", M},
        {"difference", "1 - 1/0", M},
        {"product with zero", "(1/0) * 0", M},
        {"quotient by missing infinity", "1/(1e308*10)", M},
        {"negation", "-(1/0)", M},
        {"abs", "abs(1/0)", M},
        {"sqrt", "sqrt(1/0)", M},
        {"equal", "1/0 = 1", M},
        {"equal on the right", "1 = 1/0", M},
        {"not equal on the left", "1/0 != 1", M},
        {"less on the right", "1 < 1/0", M},
        {"less equal on the left", "1/0 <= 1", M},
        {"greater on the right", "0 > 1e308*10", M},
        {"greater equal on the right", "1 >= 1/0", M},
        {"not equal", "1 != 1/0", M},
        {"less", "1/0 < 1", M},
        {"less equal", "1 <= 1/0", M},
        {"greater of an overflow", "1e308*10 > 0", M},
        {"greater equal", "1/0 >= 1", M},
        {"and with zero", "0 and 1/0", M},
        {"and on the left", "1/0 and 1", M},
        {"or with one", "1 or 1/0", M},
        {"or on the left", "1/0 or 1", M},
        {"not", "not (1/0)", M},
        {"min", "min(1, 1/0)", M},
        {"min on the left", "min(1/0, 1)", M},
        {"max", "max(1/0, 1)", M},
        {"max on the right", "max(1, 1/0)", M},
        {"if with missing condition", "if(1/0, 1, 2)", M},
        {"if with the unused branch missing", "if(1, 2, 1/0)", M},
        {"if with the else missing", "if(0, 1/0, 2)", M},
    };
    ExpectValues(rows);
}

// Offsets clamp into the log, at both ends and up to the widest literals.
TEST(Evaluation, OffsetsAreClampedIntoTheLog) {
    const LogData log = test::MakeLog({{"A", {10, 20, 30, 40, 50}}});
    const std::vector<double> first(5, 10), last(5, 50);
    const struct {
        const char* name;
        const char* text;
        std::vector<double> expected;
    } rows[] = {
        {"one later", "A[1]", {20, 30, 40, 50, 50}},
        {"explicit plus", "A[+1]", {20, 30, 40, 50, 50}},
        {"two earlier", "A[ -2 ]", {10, 10, 10, 20, 30}},
        {"none", "A[0]", {10, 20, 30, 40, 50}},
        {"the whole log later", "A[4]", last},
        {"beyond the log later", "A[5]", last},
        {"beyond the log earlier", "A[-5]", first},
        {"2^31 later", "A[2147483648]", last},
        {"2^31 earlier", "A[-2147483648]", first},
        {"largest int64", "A[9223372036854775807]", last},
        {"smallest int64", "A[-9223372036854775808]", first},
        {"largest of 64 bits", "A[18446744073709551615]", last},
        {"largest of 64 bits earlier", "A[-18446744073709551615]", first},
        {"difference to the previous", "A - A[-1]", {0, 10, 10, 10, 10}},
    };
    for (const auto& row : rows) {
        const auto values = test::ValuesOf(row.text, log);
        const auto* column = std::get_if<std::vector<double>>(&values);
        EXPECT_TRUE(column && test::Same(*column, row.expected))
            << row.name << ": " << row.text << " gave " << test::Shown(values);
    }
}

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
