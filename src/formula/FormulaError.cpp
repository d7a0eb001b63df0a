#include "formula/FormulaError.h"

#include "logdata/TextFields.h"

namespace grafolux {

FormulaError ErrorAt(FormulaErrorKind kind, std::string_view text, size_t column,
                     std::string_view what) {
    std::string message = Quoted(text);
    message.append(": column ").append(std::to_string(column)).append(": ").append(what);
    return {kind, std::move(message)};
}

std::string Quoted(std::string_view name) {
    // Appended, not added up: GCC 12 at -O3 takes "x" + std::string for an overflow.
    std::string quoted = "\"";
    return quoted.append(OnOneLine(name)).append("\"");
}

}  // namespace grafolux
