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

}  // namespace grafolux
