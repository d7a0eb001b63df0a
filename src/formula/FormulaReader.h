#pragma once
// A program's values asked sample by sample, computed a block at a time: what a caller needs that
// goes through the samples in order (a Find's marks, a sample at a time) without a column of the
// whole log.

#include <cstdint>
#include <vector>

#include "formula/FormulaProgram.h"
#include "logdata/SampleMarks.h"

namespace grafolux {

// Whether a value makes a condition hold: it is neither missing nor 0.
inline bool Holds(double value) { return value == value && value != 0; }

class FormulaReader {
public:
    // Keeps a reference to the program, which must outlive the reader.
    explicit FormulaReader(const FormulaProgram& program) : program_(program) {}

    // The value in sample s (1 .. sampleCount); quickest in ascending order.
    double Value(int32_t s) {
        if (s < first_ || s >= first_ + static_cast<int32_t>(values_.size())) Fill(s);
        return values_[static_cast<size_t>(s - first_)];
    }
    bool Holds(int32_t s) { return grafolux::Holds(Value(s)); }

private:
    void Fill(int32_t s);

    const FormulaProgram& program_;
    int32_t first_ = 1;
    std::vector<double> values_;  // samples first_ .. first_ + size - 1
};

// The samples first..last (clamped into the program's log) where the value holds: a Find's runs.
SampleMarks MarkHolding(const FormulaProgram& program, int32_t first, int32_t last);

}  // namespace grafolux
