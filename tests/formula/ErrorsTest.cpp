#include <gtest/gtest.h>

#include "FormulaTestKit.h"
#include "formula/Definitions.h"

namespace grafolux {
namespace {

struct ErrorRow {
    const char* name;
    std::string text;
    std::string message;  // after the quoted text
};

std::string Repeated(std::string_view text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

// Faults of a bare expression's text: found without a log, the column in the message.
TEST(ParseExpression, FaultsNameTheirColumn) {
    const std::string deep = Repeated("(", 10000) + "1" + Repeated(")", 10000);
    const ErrorRow rows[] = {
        {"empty", "", R"m(column 1: operand expected)m"},
        {"blanks only", "  ", R"m(column 3: operand expected)m"},
        {"trailing operator", "A+", R"m(column 3: operand expected)m"},
        {"two operators", "A+*B", R"m(column 3: operand expected)m"},
        {"missing parenthesis", "abs(A", R"m(column 6: ")" expected)m"},
        {"unmatched parenthesis", "A)", R"m(column 2: unmatched ")")m"},
        {"two operands", "A B", R"m(column 3: operator expected)m"},
        {"keyword as operand", "and", R"m(column 1: operand expected)m"},
        {"unknown function", "foo(1)",
         R"m(column 1: unknown function "foo" (the functions are abs, sqrt, min, max and if))m"},
        {"upper-case function", "1+ABS (1)",
         R"m(column 3: unknown function "ABS" (the functions are abs, sqrt, min, max and if))m"},
        {"too few arguments", "min(1)", R"m(column 1: "min" takes 2 arguments, not 1)m"},
        {"too many arguments", "2*abs(1, 2)", R"m(column 3: "abs" takes 1 argument, not 2)m"},
        {"no arguments", "sqrt()", R"m(column 1: "sqrt" takes 1 argument, not 0)m"},
        {"fraction offset", "A[1.5]", R"m(column 3: an offset is a whole number)m"},
        {"two signs", "A[--1]", R"m(column 4: an offset is a whole number)m"},
        {"offset beyond 64 bits", "A[-18446744073709551616]",
         R"m(column 4: the offset is beyond 64 bits)m"},
        {"unclosed offset", "A[1", R"m(column 4: "]" expected)m"},
        {"offset of a sum", "(A+B)[1]",
         R"m(column 6: an offset follows a name only, and only one)m"},
        {"two offsets", "A[1][2]", R"m(column 5: an offset follows a name only, and only one)m"},
        {"chained comparison", "A < B < C",
         R"m(column 7: comparisons cannot be chained (join them with "and"))m"},
        {"unexpected character", "A # B", R"m(column 3: unexpected "#")m"},
        {"lone !", "A ! B", R"m(column 3: unexpected "!")m"},
        {"byte of a UTF-8 name", "\xc3\xb6l > 1",
         "column 1: unexpected byte 0xC3 (a name of such characters is quoted)"},
        {"control byte", "1\x01", "column 2: unexpected byte 0x01"},
        {"unclosed quote", "1 + \"A", R"m(column 5: this quote is not closed)m"},
        {"exponent without digits", "1e+", R"m(column 4: digits expected in the exponent)m"},
        {"number beyond a double", "1e999",
         R"m(column 1: the number is beyond the range of a double)m"},
        {"10,000 parentheses", deep, R"m(column 257: nested too deeply (at most 256 levels))m"},
        {"10,000 minus signs", Repeated("-", 10000) + "1",
         R"m(column 257: nested too deeply (at most 256 levels))m"},
        {"10,000 nots", Repeated("not ", 10000) + "1",
         R"m(column 1025: nested too deeply (at most 256 levels))m"},
    };
    for (const ErrorRow& row : rows) {
        const auto parsed = ParseExpression(row.text);
        const auto* error = std::get_if<FormulaError>(&parsed);
        ASSERT_TRUE(error) << row.name;
        EXPECT_EQ(error->kind, FormulaErrorKind::Text) << row.name;
        EXPECT_EQ(error->message, "\"" + row.text + "\": " + row.message) << row.name;
    }
    const auto lineBreaks = ParseExpression("A +\r\n");
    ASSERT_TRUE(std::holds_alternative<FormulaError>(lineBreaks));
    EXPECT_EQ(std::get<FormulaError>(lineBreaks).message,
              R"m("A +\r\n": column 6: operand expected)m");
}

// Faults of a list of definitions: the first in the list's order, quoting its definition.
TEST(ParseDefinitions, FaultsNameTheDefinitionAndColumn) {
    const struct {
        const char* name;
        std::vector<std::string> texts;
        std::string message;
    } rows[] = {
        {"unclosed function",
         {"dMAP=abs(SENSOR:MAP"},
         R"m("dMAP=abs(SENSOR:MAP": column 20: ")" expected)m"},
        {"no equals sign",
         {"A+1"},
         R"m("A+1": column 4: "=" expected (a definition is NAME=EXPR))m"},
        {"empty name", {"=1"}, R"m("=1": column 1: a name is expected before "=")m"},
        {"blank name", {" \t =1"}, R"m(" 	 =1": column 1: a name is expected before "=")m"},
        {"tab in the name",
         {" A\tB = 1"},
         R"m(" A	B = 1": column 3: a name cannot hold a tab or a line break)m"},
        {"line break in the name",
         {"A\nB=1"},
         R"m("A\nB=1": column 2: a name cannot hold a tab or a line break)m"},
        {"empty expression", {"X = "}, R"m("X = ": column 5: operand expected)m"},
        {"name taken by an earlier one",
         {"X=1", "Y=2", " X =3"},
         R"m(" X =3": column 2: the name "X" is taken by an earlier definition)m"},
        {"itself",
         {"X=1", "Y = Y[-1] + 1"},
         R"m("Y = Y[-1] + 1": column 5: "Y" is the definition itself)m"},
        {"itself quoted",
         {"A B=\"A B\""},
         R"m("A B="A B"": column 5: "A B" is the definition itself)m"},
        {"a later one",
         {"X=2*Y", "Y=1"},
         R"m("X=2*Y": column 5: "Y" is defined later in the list)m"},
        {"the first fault in the list", {"X=1+", "Y=)"}, R"m("X=1+": column 5: operand expected)m"},
        {"the first \"=\" ends the name",
         {"A!=B", "C = \"A!\"[1]", " A! = 1"},
         R"m(" A! = 1": column 2: the name "A!" is taken by an earlier definition)m"},
        {"comparison in the expression",
         {"X=A=1=2"},
         R"m("X=A=1=2": column 6: comparisons cannot be chained (join them with "and"))m"},
    };
    for (const auto& row : rows) {
        const auto parsed = ParseDefinitions(row.texts);
        const auto* error = std::get_if<FormulaError>(&parsed);
        ASSERT_TRUE(error) << row.name;
        EXPECT_EQ(error->kind, FormulaErrorKind::Text) << row.name;
        EXPECT_EQ(error->message, row.message) << row.name;
    }
}

}  // namespace
}  // namespace grafolux
