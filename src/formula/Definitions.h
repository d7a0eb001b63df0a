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

// The same rules, each text's result on its own: its definition or its fault, in the list's
// order (a list being edited shows every faulty line).
std::vector<std::variant<Definition, FormulaError>> ParseEachDefinition(
    std::span<const std::string> texts);

// The texts without those that have a fault, in order: a list that ParseDefinitions reads.
std::vector<std::string> SoundDefinitions(std::vector<std::string> texts);

// The names an expression reads (items or definitions), each once, in the order they appear.
std::vector<std::string> NamesReadBy(const Expression& expression);

struct ItemsNeeded {
    // The names asked for, then each further name that their definitions read: what a log must
    // keep for them.
    std::vector<std::string> names;
    // The definitions that computing the names takes, in the list's order.
    std::vector<Definition> definitions;
};

// What computing the items `names` takes when these definitions apply (a parsed list).
ItemsNeeded ItemsNeededFor(std::span<const Definition> definitions, std::vector<std::string> names);

}  // namespace grafolux
