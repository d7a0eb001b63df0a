#pragma once
// What is wrong with a formula: one line that quotes the text and points at the column.

#include <cstddef>
#include <string>
#include <string_view>

namespace grafolux {

enum class FormulaErrorKind {
    Text,  // the text itself is wrong, whatever the log (syntax, names, references, offsets)
    Log,   // the text is sound but does not fit this log (an unknown item, a name taken)
};

struct FormulaError {
    FormulaErrorKind kind = FormulaErrorKind::Text;
    // "\"dMAP=abs(SENSOR:MAP\": column 20: \")\" expected": the whole definition (or bare
    // expression) quoted with its line breaks written out, the 1-based column of the fault (one
    // past the last character at the end of the text) and what is wrong. Always one line.
    std::string message;
};

// The error at `column` (1-based) of `text`.
FormulaError ErrorAt(FormulaErrorKind kind, std::string_view text, size_t column,
                     std::string_view what);

// A name as messages show it: in double quotes, on one line.
std::string Quoted(std::string_view name);

}  // namespace grafolux
