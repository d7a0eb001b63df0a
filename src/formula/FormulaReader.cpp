#include "formula/FormulaReader.h"

#include <algorithm>

namespace grafolux {

void FormulaReader::Fill(int32_t s) {
    // Large enough that the work of starting an evaluation does not count.
    constexpr int32_t kChunk = 8192;
    first_ = s;
    values_.resize(static_cast<size_t>(std::clamp(program_.sampleCount() - s + 1, 1, kChunk)));
    program_.Evaluate(s, values_);
}

SampleMarks MarkHolding(const FormulaProgram& program, int32_t first, int32_t last) {
    first = std::max(first, 1);
    last = std::min(last, program.sampleCount());
    if (first > last) return SampleMarks();
    FormulaReader reader(program);
    return SampleMarks(first, last, [&](int32_t s) { return reader.Holds(s); });
}

}  // namespace grafolux
