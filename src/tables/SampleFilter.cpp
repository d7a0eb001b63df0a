#include "tables/SampleFilter.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "logdata/TextFields.h"

namespace grafolux {

namespace {

struct OperatorText {
    std::string_view text;
    CompareOp op;
};

// At one position the two-character forms are tried before "=", "<" and ">".
constexpr std::array<OperatorText, 9> kOperators = {{
    {"<=", CompareOp::LessEqual},
    {">=", CompareOp::GreaterEqual},
    {"!=", CompareOp::NotEqual},
    {"\u2264", CompareOp::LessEqual},
    {"\u2265", CompareOp::GreaterEqual},
    {"\u2260", CompareOp::NotEqual},
    {"=", CompareOp::Equal},
    {"<", CompareOp::Less},
    {">", CompareOp::Greater},
}};

std::string_view Trimmed(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool BeginsLikeNumber(std::string_view text) {
    if (text.empty()) return false;
    const char c = text[0];
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == '&';
}

std::string_view OperatorTextOf(CompareOp op, bool mathematical) {
    switch (op) {
        case CompareOp::Equal:
            return "=";
        case CompareOp::NotEqual:
            return mathematical ? "\u2260" : "!=";
        case CompareOp::Less:
            return "<";
        case CompareOp::LessEqual:
            return mathematical ? "\u2264" : "<=";
        case CompareOp::Greater:
            return ">";
        case CompareOp::GreaterEqual:
            return mathematical ? "\u2265" : ">=";
    }
    return "=";
}

std::string Text(const SampleCondition& condition, bool mathematical, std::string_view gap) {
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, condition.number).ptr;
    std::string text = condition.item;
    text.append(gap).append(OperatorTextOf(condition.op, mathematical)).append(gap);
    return text.append(number, end);
}

// passes[i] &= values[i] OP number, one loop per operator so that each vectorises.
template <typename Compare>
void AndInto(const double* values, int32_t count, double number, uint8_t* passes, Compare compare) {
    for (int32_t i = 0; i < count; ++i)
        passes[i] &= static_cast<uint8_t>(compare(values[i], number));
}

}  // namespace

std::variant<SampleCondition, ConditionError> ParseCondition(std::string_view text) {
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const auto found = std::find_if(kOperators.begin(), kOperators.end(), [&](const auto& o) {
            return text.substr(pos).starts_with(o.text);
        });
        if (found == kOperators.end()) continue;
        const std::string_view name = Trimmed(text.substr(0, pos));
        const std::string_view number = Trimmed(text.substr(pos + found->text.size()));
        if (name.empty()) return ConditionError{"no item name before the operator"};
        if (number.empty()) return ConditionError{"no number after the operator"};
        if (!BeginsLikeNumber(number))
            return ConditionError{"\"" + std::string(number) + "\" is not a number"};
        return SampleCondition{std::string(name), found->op, Val(number)};
    }
    return ConditionError{"no operator (one of = != < <= > >=)"};
}

std::string ConditionText(const SampleCondition& condition) { return Text(condition, false, ""); }

std::string ConditionDisplayText(const SampleCondition& condition) {
    return Text(condition, true, " ");
}

bool Holds(CompareOp op, double value, double number) {
    switch (op) {
        case CompareOp::Equal:
            return value == number;
        case CompareOp::NotEqual:
            return value != number;
        case CompareOp::Less:
            return value < number;
        case CompareOp::LessEqual:
            return value <= number;
        case CompareOp::Greater:
            return value > number;
        case CompareOp::GreaterEqual:
            return value >= number;
    }
    return false;
}

SampleFilter::SampleFilter(const LogData& log, std::span<const SampleCondition> conditions) {
    for (size_t i = 0; i < conditions.size(); ++i) {
        const SampleCondition& c = conditions[i];
        if (const int32_t item = log.itemNamed(c.item))
            active_.push_back({log.column(item).data(), c.op, c.number});
        else
            missing_.push_back(i);
    }
}

bool SampleFilter::Passes(int32_t s) const {
    return std::all_of(active_.begin(), active_.end(),
                       [s](const Active& a) { return Holds(a.op, a.values[s - 1], a.number); });
}

void SampleFilter::Mark(int32_t first, int32_t count, uint8_t* passes) const {
    std::fill_n(passes, count, uint8_t{1});
    for (const Active& a : active_) {
        const double* values = a.values + (first - 1);
        switch (a.op) {
            case CompareOp::Equal:
                AndInto(values, count, a.number, passes, std::equal_to<double>());
                break;
            case CompareOp::NotEqual:
                AndInto(values, count, a.number, passes, std::not_equal_to<double>());
                break;
            case CompareOp::Less:
                AndInto(values, count, a.number, passes, std::less<double>());
                break;
            case CompareOp::LessEqual:
                AndInto(values, count, a.number, passes, std::less_equal<double>());
                break;
            case CompareOp::Greater:
                AndInto(values, count, a.number, passes, std::greater<double>());
                break;
            case CompareOp::GreaterEqual:
                AndInto(values, count, a.number, passes, std::greater_equal<double>());
                break;
        }
    }
}

}  // namespace grafolux
