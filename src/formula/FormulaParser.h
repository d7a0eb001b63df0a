#pragma once
// The formula language's grammar, lowest precedence first:
//   or; and; not; comparisons = != < <= > >= (one per operand, never chained); + -; * /;
//   unary -; an offset NAME[k]; then numbers, names, "quoted names", functions and ( ).
// A name is an ASCII letter or '_' and then letters, digits, '_', ':' and '.' (SENSOR:MAP,
// MW2:3); any other name, bytes as in the log, goes in double quotes ("Item - 2"). An offset k is
// a whole number with an optional sign. Keywords (or, and, not) and functions (abs, sqrt, min,
// max, if) are lower case. A name is a function only when "(" follows it, blanks allowed between:
// an item may be called `min`, and `min (A, B)` is still the function. An item named like a
// keyword is quoted. Blanks, tabs and line breaks separate tokens.

#include <cstddef>
#include <string_view>
#include <variant>

#include "formula/Expression.h"
#include "formula/FormulaError.h"

namespace grafolux {

// Parentheses, functions, `not` and unary minus nest at most this deep: deeper text is an error
// rather than a risk to the stack.
constexpr int kMaxNesting = 256;

// A bare expression (a Find condition); errors quote `text`.
std::variant<Expression, FormulaError> ParseExpression(std::string_view text);

// The expression that begins at `begin` (0-based) and runs to the end of `text`; columns and
// errors refer to the whole text. Throws TextFault (FormulaTokens.h).
Expression ParseExpressionIn(std::string_view text, size_t begin);

}  // namespace grafolux
