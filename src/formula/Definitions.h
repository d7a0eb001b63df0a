#pragma once
// Definitions of computed items, `NAME=EXPR`, checked as text: everything that can be wrong
// without a log is found here (a usage error on the command line).

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "formula/Expression.h"
#include "formula/FormulaError.h"

namespace grafolux {

struct Definition {
    std::string name;       // the text before the first "=", blanks around it removed
    size_t nameColumn = 1;  // 1-based column of the name's first character
    Expression expression;  // its text is the whole definition; columns count from its start
};

// Parses an ordered list. NAME must not be empty, hold a tab or a line break, or repeat the name
// of an earlier definition; EXPR may name items of the log and earlier definitions, but not its
// own definition or a later one. The first error in the list's order, or every definition.
std::variant<std::vector<Definition>, FormulaError> ParseDefinitions(
    std::span<const std::string> texts);

}  // namespace grafolux
