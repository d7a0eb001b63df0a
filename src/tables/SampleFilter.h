#pragma once
// Conditions on a sample's items ("SENSOR:CTS>=80", "MW2:7=1"): a sample counts in a table only
// when every condition holds. Parsing is a pure function on text; a filter resolves the
// conditions against one log's items.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "logdata/LogModel.h"

namespace grafolux {

enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

struct SampleCondition {
    std::string item;  // the item's name, bytes as in the log's header
    CompareOp op = CompareOp::Equal;
    double number = 0;
    bool operator==(const SampleCondition&) const = default;
};

struct ConditionError {
    std::string message;  // one line, says what is wrong with the text
};

// `NAME OP NUMBER`, blanks around the parts allowed, none needed. OP is the first operator
// found from the left: "<=", ">=", "!=", "=", "<", ">" or one of "≠", "≤", "≥" (UTF-8).
// NUMBER is read by the log's number rule (Val) and must begin like a number.
std::variant<SampleCondition, ConditionError> ParseCondition(std::string_view text);

// "NAME OP NUMBER" with the operator's text form and the number in its shortest round-trip
// form; ParseCondition reads it back to the same condition.
std::string ConditionText(const SampleCondition& condition);
// The same with the mathematical signs ≠ ≤ ≥, for display.
std::string ConditionDisplayText(const SampleCondition& condition);

// The conditions of a list resolved against one log. Refers to the log's columns: it must not
// outlive the log or see it change.
class SampleFilter {
public:
    SampleFilter() = default;  // no condition: every sample passes
    SampleFilter(const LogData& log, std::span<const SampleCondition> conditions);

    // Whether sample s (1-based) passes every condition that names an item of the log.
    bool Passes(int32_t s) const;
    // weights[i] = 1 when Passes(first + i), else 0, for i in 0 .. count - 1; faster than
    // asking one by one.
    void MarkWeights(int32_t first, int32_t count, double* weights) const;
    // The same, and adds to failing[p] how many of those samples fail the condition at position
    // p of the list given, each condition counted on its own; `failing` holds conditionCount()
    // counts, or none.
    void MarkWeights(int32_t first, int32_t count, double* weights,
                     std::span<int64_t> failing) const;

    // No condition names an item of the log: every sample passes.
    bool passesAll() const { return ranges_.empty(); }
    // Positions (0-based, in the list given) of the conditions naming no item of the log;
    // they are ignored.
    const std::vector<size_t>& missing() const { return missing_; }
    // The length of the list given, the missing conditions included.
    size_t conditionCount() const { return ranges_.size() + missing_.size(); }

    // A condition as the values it lets through: low <= x <= high, or with `outside` every x
    // but those (x != n); tested without a branch. A missing value (NaN) holds in neither form,
    // as every comparison with it is false: a computed item has none where its inputs are
    // missing.
    struct Range {
        const Column* column;  // element 0 is sample 1
        double low, high;
        bool outside;
        static bool Within(double x, double low, double high) { return (x >= low) & (x <= high); }
        static bool Beyond(double x, double low, double high) { return (x < low) | (x > high); }
        bool Holds(double x) const { return outside ? Beyond(x, low, high) : Within(x, low, high); }
    };

private:
    std::vector<Range> ranges_;
    std::vector<size_t> positions_;  // of each range's condition in the list given
    std::vector<size_t> missing_;
};

}  // namespace grafolux
