#include "tables/SampleFilter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

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
    std::string text = condition.item;
    // "A!" "=" 1 written together would read back as "A" "!=" 1.
    if (gap.empty() && text.ends_with('!')) gap = " ";
    text.append(gap).append(OperatorTextOf(condition.op, mathematical)).append(gap);
    return AppendShortestText(text, condition.number);
}

// The values `op number` lets through. A strict bound is the next double inward, so that no
// value lies between it and the number; nothing passes "< -inf", "> inf" or a NaN number.
SampleFilter::Range RangeOf(const Column* values, CompareOp op, double n) {
    constexpr double kUp = std::numeric_limits<double>::infinity();
    const bool nothingBelow = n == -kUp || std::isnan(n), nothingAbove = n == kUp || std::isnan(n);
    switch (op) {
        case CompareOp::Equal:
            return {values, n, n, false};
        case CompareOp::NotEqual:
            return {values, n, n, true};
        case CompareOp::Less:
            return nothingBelow ? SampleFilter::Range{values, kUp, -kUp, false}
                                : SampleFilter::Range{values, -kUp, std::nextafter(n, -kUp), false};
        case CompareOp::LessEqual:
            return {values, -kUp, n, false};
        case CompareOp::Greater:
            return nothingAbove ? SampleFilter::Range{values, kUp, -kUp, false}
                                : SampleFilter::Range{values, std::nextafter(n, kUp), kUp, false};
        case CompareOp::GreaterEqual:
            return {values, n, kUp, false};
    }
    return {values, n, n, false};
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
            return ConditionError{
                std::string(1, '"').append(OnOneLine(number)).append("\" is not a number")};
        return SampleCondition{std::string(name), found->op, Val(number)};
    }
    return ConditionError{"no operator (one of = != < <= > >=)"};
}

std::string ConditionText(const SampleCondition& condition) { return Text(condition, false, ""); }

std::string ConditionDisplayText(const SampleCondition& condition) {
    return Text(condition, true, " ");
}

SampleFilter::SampleFilter(const LogData& log, std::span<const SampleCondition> conditions) {
    for (size_t i = 0; i < conditions.size(); ++i) {
        const SampleCondition& c = conditions[i];
        if (const int32_t item = log.itemNamed(c.item)) {
            ranges_.push_back(RangeOf(&log.column(item), c.op, c.number));
            positions_.push_back(i);
        } else
            missing_.push_back(i);
    }
}

bool SampleFilter::Passes(int32_t s) const {
    return std::all_of(ranges_.begin(), ranges_.end(),
                       [s](const Range& r) { return r.Holds(r.column->at(s - 1)); });
}

void SampleFilter::MarkWeights(int32_t first, int32_t count, double* weights) const {
    MarkWeights(first, count, weights, {});
}

// One loop per range, each vectorised (a select of doubles by doubles, and the passes counted
// from the bits of 1.0 and 0.0: the top three are 001 and 000, where a count of comparisons
// does not vectorise). With kCount, returns how many samples fail.
template <bool kBeyond, bool kCount>
int64_t MarkRange(const double* values, double low, double high, int32_t count, double* weights) {
    using Range = SampleFilter::Range;
    constexpr int32_t kPiece = 64;
    int64_t passed = 0;
    for (int32_t piece = 0; piece < count; piece += kPiece) {
        const int32_t n = std::min(count - piece, kPiece);
        std::array<double, kPiece> passes;
        for (int32_t i = 0; i < n; ++i) {
            const double x = values[piece + i];
            const bool holds = kBeyond ? Range::Beyond(x, low, high) : Range::Within(x, low, high);
            passes[i] = holds ? 1.0 : 0.0;
            weights[piece + i] = passes[i] != 0 ? weights[piece + i] : 0.0;
        }
        if constexpr (kCount)
            for (int32_t i = 0; i < n; ++i)
                passed += static_cast<int64_t>(std::bit_cast<uint64_t>(passes[i]) >> 61);
    }
    return count - passed;
}

void SampleFilter::MarkWeights(int32_t first, int32_t count, double* weights,
                               std::span<int64_t> failing) const {
    std::fill_n(weights, count, 1.0);
    std::array<double, kBlockSamples> values;
    for (int32_t done = 0; done < count; done += kBlockSamples) {
        const int32_t n = std::min(kBlockSamples, count - done);
        double* marked = weights + done;
        for (size_t k = 0; k < ranges_.size(); ++k) {
            const Range& r = ranges_[k];
            // A stretch of one value passes or fails whole.
            if (const auto value = r.column->ConstantOver(first - 1 + done, n)) {
                if (r.Holds(*value)) continue;
                std::fill_n(marked, n, 0.0);
                if (!failing.empty()) failing[positions_[k]] += n;
                continue;
            }
            r.column->Read(first - 1 + done, n, values.data());
            if (failing.empty()) {
                r.outside ? MarkRange<true, false>(values.data(), r.low, r.high, n, marked)
                          : MarkRange<false, false>(values.data(), r.low, r.high, n, marked);
            } else {
                failing[positions_[k]] +=
                    r.outside ? MarkRange<true, true>(values.data(), r.low, r.high, n, marked)
                              : MarkRange<false, true>(values.data(), r.low, r.high, n, marked);
            }
        }
    }
}

}  // namespace grafolux
