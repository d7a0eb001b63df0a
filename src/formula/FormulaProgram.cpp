#include "formula/FormulaProgram.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace grafolux {

namespace {

// Samples computed at a time: every register of a program fits in the first-level cache.
constexpr int kBlock = 256;
// Constants filled into blocks once per evaluation; any further ones are filled where used.
constexpr size_t kResidentConstants = 16;

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

bool IsNumber(double x) { return std::fabs(x) <= std::numeric_limits<double>::max(); }
// Both sides always computed (& of ints, not &&), so that no branch stops the loop's vectorising.
bool Both(bool a, bool b) { return static_cast<int>(a) & static_cast<int>(b); }
bool Either(bool a, bool b) { return static_cast<int>(a) | static_cast<int>(b); }
bool Numbers(double x, double y) { return Both(IsNumber(x), IsNumber(y)); }
double Settled(double x) { return IsNumber(x) ? x : kMissing; }
double Truth(bool holds) { return holds ? 1.0 : 0.0; }

// One operation over a block. Every loop has the same fixed length and its arrays never overlap,
// so that the compiler turns it into vector instructions without a branch per value; unrolled,
// as in loops this short the counting costs about as much as the arithmetic. The last step
// settles its result: whatever is not a finite number becomes kMissing.
template <bool kLast, typename F>
void Each(double* __restrict out, const double* __restrict a, F f) {
#pragma GCC unroll 4
    for (int i = 0; i < kBlock; ++i) out[i] = kLast ? Settled(f(a[i])) : f(a[i]);
}
template <bool kLast, typename F>
void Each(double* __restrict out, const double* __restrict a, const double* __restrict b, F f) {
#pragma GCC unroll 4
    for (int i = 0; i < kBlock; ++i) out[i] = kLast ? Settled(f(a[i], b[i])) : f(a[i], b[i]);
}
template <bool kLast, typename F>
void Each(double* __restrict out, const double* __restrict a, const double* __restrict b,
          const double* __restrict c, F f) {
#pragma GCC unroll 4
    for (int i = 0; i < kBlock; ++i)
        out[i] = kLast ? Settled(f(a[i], b[i], c[i])) : f(a[i], b[i], c[i]);
}

// Intermediate values may be infinite or any NaN: an operation whose result is not a finite
// number whenever an operand is not (+ - * abs sqrt and negation) needs no check, and the others
// treat such an operand as missing. So a missing value is never lost, at the cost of one check
// where it could be.
template <bool kLast>
void Run(Operation op, double* out, const double* a, const double* b, const double* c) {
    switch (op) {
        case Operation::Number:
        case Operation::Reference:
            break;  // leaves are read where they are, never run
        case Operation::Negate:
            return Each<kLast>(out, a, [](double x) { return -x; });
        case Operation::Abs:
            return Each<kLast>(out, a, [](double x) { return std::fabs(x); });
        case Operation::Sqrt:
            return Each<kLast>(out, a, [](double x) { return std::sqrt(x); });
        case Operation::Add:
            return Each<kLast>(out, a, b, [](double x, double y) { return x + y; });
        case Operation::Subtract:
            return Each<kLast>(out, a, b, [](double x, double y) { return x - y; });
        case Operation::Multiply:
            return Each<kLast>(out, a, b, [](double x, double y) { return x * y; });
        case Operation::Divide:  // x / ±inf is finite: such a divisor is made missing first
            return Each<kLast>(out, a, b,
                               [](double x, double y) { return x / (IsNumber(y) ? y : kMissing); });
        case Operation::Equal:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(x == y) : kMissing;
            });
        case Operation::NotEqual:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(x != y) : kMissing;
            });
        case Operation::Less:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(x < y) : kMissing;
            });
        case Operation::LessEqual:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(x <= y) : kMissing;
            });
        case Operation::Greater:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(x > y) : kMissing;
            });
        case Operation::GreaterEqual:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(x >= y) : kMissing;
            });
        case Operation::And:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(Both(x != 0, y != 0)) : kMissing;
            });
        case Operation::Or:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? Truth(Either(x != 0, y != 0)) : kMissing;
            });
        case Operation::Not:
            return Each<kLast>(out, a,
                               [](double x) { return IsNumber(x) ? Truth(x == 0) : kMissing; });
        case Operation::Min:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? (y < x ? y : x) : kMissing;
            });
        case Operation::Max:
            return Each<kLast>(out, a, b, [](double x, double y) {
                return Numbers(x, y) ? (y > x ? y : x) : kMissing;
            });
        case Operation::If:
            return Each<kLast>(out, a, b, c, [](double x, double y, double z) {
                return Both(Numbers(x, y), IsNumber(z)) ? (x != 0 ? y : z) : kMissing;
            });
    }
}

// The block of `count` samples from `start` (0-based) read `offset` samples on: in place when it
// lies inside the log, else copied into `buffer` with every sample clamped into the log.
const double* Load(const double* column, int64_t count, int64_t start, int64_t offset,
                   double* buffer) {
    const int64_t from = start + offset;
    if (from >= 0 && from + kBlock <= count) return column + from;
    for (int i = 0; i < kBlock; ++i)
        buffer[i] = column[std::clamp<int64_t>(from + i, 0, count - 1)];
    return buffer;
}

}  // namespace

std::variant<FormulaProgram, FormulaError> FormulaProgram::Bind(
    const Expression& expression, const LogData& log, std::span<const ComputedItem> computed) {
    const auto& nodes = expression.nodes;
    const auto fail = [&](FormulaErrorKind kind, size_t column, std::string what) {
        return ErrorAt(kind, expression.text, column, what);
    };
    if (nodes.empty()) return fail(FormulaErrorKind::Text, 1, "operand expected");

    // Operands come before their users: a tree as the parser makes it, never read out of place.
    for (size_t i = 0; i < nodes.size(); ++i)
        for (int k = 0; k < OperandCount(nodes[i].op); ++k)
            if (nodes[i].operands[k] < 0 || static_cast<size_t>(nodes[i].operands[k]) >= i)
                return fail(FormulaErrorKind::Text, nodes[i].column, "not a parsed expression");

    FormulaProgram program;
    program.sampleCount_ = log.lngSampleCount;
    const int64_t count = log.lngSampleCount;
    std::unordered_map<std::string_view, const double*> columns;
    std::vector<Operand> values(nodes.size());
    std::vector<uint32_t> freeRegisters;

    for (size_t i = 0; i < nodes.size(); ++i) {
        const ExpressionNode& node = nodes[i];
        if (node.op == Operation::Number) {
            values[i] = {Slot::Constant, static_cast<uint32_t>(program.constants_.size())};
            program.constants_.push_back(node.number);
            continue;
        }
        if (node.op == Operation::Reference) {
            auto [named, isNew] = columns.try_emplace(node.name, nullptr);
            if (isNew) {
                const auto item = std::find_if(computed.rbegin(), computed.rend(),
                                               [&](const auto& c) { return c.name == node.name; });
                if (item != computed.rend() && item->unavailable)
                    return fail(FormulaErrorKind::Log, node.column,
                                Quoted(node.name) + " is unavailable for this log");
                if (item != computed.rend() &&
                    item->values.size() != static_cast<size_t>(log.lngSampleCount))
                    return fail(FormulaErrorKind::Log, node.column,
                                Quoted(node.name) + " was computed for another log");
                if (item != computed.rend()) {
                    named->second = item->values.data();
                } else if (const int32_t k = log.itemNamed(node.name)) {
                    program.held_.push_back(log.wholeColumn(k));
                    named->second = program.held_.back()->data();
                } else {
                    return fail(FormulaErrorKind::Log, node.column,
                                "the log has no item " + Quoted(node.name));
                }
            }
            values[i] = {Slot::Source, static_cast<uint32_t>(program.sources_.size())};
            program.sources_.push_back({named->second, std::clamp(node.offset, -count, count)});
            continue;
        }
        // A register apart from the operands', so that no loop writes what it reads.
        Step step{node.op, 0, {}};
        if (freeRegisters.empty()) {
            step.result = program.registers_++;
        } else {
            step.result = freeRegisters.back();
            freeRegisters.pop_back();
        }
        for (int k = 0; k < OperandCount(node.op); ++k) {
            const int32_t operand = node.operands[k];
            step.operands[k] = values[operand];
            if (values[operand].slot == Slot::Register)  // its one use
                freeRegisters.push_back(values[operand].index);
        }
        program.steps_.push_back(step);
        values[i] = {Slot::Register, step.result};
    }
    // The root is the last node: when it is an operation, its step writes the result.
    if (!program.steps_.empty() && values.back().slot == Slot::Register)
        program.steps_.back().result = kOutput;
    program.result_ = values.back();
    return program;
}

void FormulaProgram::Evaluate(int32_t first, std::span<double> out) const {
    if (out.empty() || sampleCount_ <= 0) return;
    // Scratch: a block for each of the first constants, one per operand of a step (a constant
    // beyond those, or a column read past the log's ends), one per register, and one for the last
    // block when it is short. Its size grows with the expression's nesting, not its length.
    const size_t resident = std::min(constants_.size(), kResidentConstants);
    std::vector<double> scratch((resident + 3 + registers_ + 1) * size_t{kBlock});
    double* constants = scratch.data();
    double* operands = constants + resident * kBlock;
    double* registers = operands + 3 * kBlock;
    double* tail = registers + size_t{registers_} * kBlock;
    for (size_t k = 0; k < resident; ++k)
        std::fill_n(constants + k * kBlock, kBlock, constants_[k]);

    for (size_t done = 0; done < out.size(); done += kBlock) {
        const int64_t start = int64_t{first} - 1 + static_cast<int64_t>(done);
        // The values of operand k of a step, in operand block k when they are not in place.
        const auto values = [&](Operand operand, int k) -> const double* {
            double* own = operands + size_t(k) * kBlock;
            switch (operand.slot) {
                case Slot::Constant:
                    if (operand.index < resident) return constants + operand.index * kBlock;
                    std::fill_n(own, kBlock, constants_[operand.index]);
                    return own;
                case Slot::Source: {
                    const Source& source = sources_[operand.index];
                    return Load(source.column, sampleCount_, start, source.offset, own);
                }
                case Slot::Register:
                    break;
            }
            return registers + size_t{operand.index} * kBlock;
        };
        const size_t n = std::min<size_t>(kBlock, out.size() - done);
        double* target = n == kBlock ? out.data() + done : tail;
        for (const Step& step : steps_) {
            const int count = OperandCount(step.op);
            const double* a = values(step.operands[0], 0);
            const double* b = count > 1 ? values(step.operands[1], 1) : nullptr;
            const double* c = count > 2 ? values(step.operands[2], 2) : nullptr;
            if (step.result == kOutput)
                Run<true>(step.op, target, a, b, c);
            else
                Run<false>(step.op, registers + size_t{step.result} * kBlock, a, b, c);
        }
        if (steps_.empty()) {
            const double* leaf = values(result_, 0);
            std::transform(leaf, leaf + n, out.data() + done, Settled);
        } else if (target == tail) {
            std::copy_n(tail, n, out.data() + done);
        }
    }
}

std::vector<double> FormulaProgram::Column() const {
    std::vector<double> values(static_cast<size_t>(std::max(sampleCount_, 0)));
    Evaluate(1, values);
    return values;
}

}  // namespace grafolux
