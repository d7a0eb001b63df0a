#pragma once
// An expression bound to one log: every name resolved to a column, the tree compiled into steps
// that each run a tight loop over a block of samples.
//
// Values are IEEE doubles. A value that is not a finite number (x/0, the square root of a negative
// number, an overflow) is missing, and every operation with a missing operand gives a missing
// value, comparisons, and, or, not and if included: nothing is skipped. Comparisons, and, or and
// not give 1 or 0; a value other than 0 counts as true. min and max give the first operand on a
// tie. NAME[k] is NAME's value k samples later (earlier when k < 0), the sample clamped into
// 1 .. the log's sample count. A missing value is a quiet NaN.

#include <array>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "formula/ComputedItem.h"
#include "formula/Expression.h"
#include "formula/FormulaError.h"
#include "logdata/LogModel.h"

namespace grafolux {

class FormulaProgram {
public:
    // Resolves the expression's names: a computed item of that name first (an unavailable one is
    // an error, even where the log has an item of that name: the definition took the name), else
    // the log's last item of that name, else an error (kind Log). The program reads a logged
    // item's column decoded whole, as views do, and a computed item's in place: it must not
    // outlive the computed items, or see them change.
    static std::variant<FormulaProgram, FormulaError> Bind(
        const Expression& expression, const LogData& log,
        std::span<const ComputedItem> computed = {});

    int32_t sampleCount() const { return sampleCount_; }

    // The values of samples first .. first + out.size() - 1 (1-based, inside the log) into `out`,
    // which must not overlap a column the expression reads.
    void Evaluate(int32_t first, std::span<double> out) const;
    // The values of every sample.
    std::vector<double> Column() const;

private:
    enum class Slot : uint8_t { Constant, Source, Register };
    struct Operand {
        Slot slot = Slot::Constant;
        uint32_t index = 0;
    };
    // A column read at an offset, already clamped to at most the sample count either way.
    struct Source {
        const double* column;
        int64_t offset;
    };
    struct Step {
        Operation op;
        uint32_t result;  // a register, or kOutput
        std::array<Operand, 3> operands;
    };
    static constexpr uint32_t kOutput = UINT32_MAX;

    FormulaProgram() = default;

    int32_t sampleCount_ = 0;
    std::vector<double> constants_;
    std::vector<Source> sources_;
    std::vector<WholeColumn> held_;  // the logged items' columns the sources read
    std::vector<Step> steps_;
    uint32_t registers_ = 0;
    Operand result_;  // where the value is when there is no step
};

}  // namespace grafolux
