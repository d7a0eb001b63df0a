#pragma once
// Formulas evaluated on small logs, and values compared as the program promises them.

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "formula/FormulaParser.h"
#include "formula/FormulaProgram.h"

namespace grafolux::test {

// The bare expression's value in every sample of the log, or its error's message.
inline std::variant<std::vector<double>, std::string> ValuesOf(
    std::string_view text, const LogData& log, std::span<const ComputedItem> computed = {}) {
    auto parsed = ParseExpression(text);
    if (auto* error = std::get_if<FormulaError>(&parsed)) return error->message;
    auto program = FormulaProgram::Bind(std::get<Expression>(parsed), log, computed);
    if (auto* error = std::get_if<FormulaError>(&program)) return error->message;
    return std::get<FormulaProgram>(program).Column();
}

// Bit for bit, but any NaN (missing) equals any other; -0 differs from 0.
inline bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) ||
           std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

inline bool Same(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!Same(a[i], b[i])) return false;
    return true;
}

inline std::string Shown(const std::variant<std::vector<double>, std::string>& result) {
    if (const auto* message = std::get_if<std::string>(&result)) return *message;
    std::string text;
    for (double v : std::get<std::vector<double>>(result)) text += std::to_string(v) + " ";
    return text;
}

}  // namespace grafolux::test
