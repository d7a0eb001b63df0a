#pragma once
// One definition's values over a log, as a formula reads them and the log carries them.

#include <optional>
#include <string>
#include <vector>

#include "formula/FormulaError.h"

namespace grafolux {

struct ComputedItem {
    std::string name;
    // One value per sample of the log (element 0 is sample 1), a quiet NaN where the value is
    // missing; empty when the item is unavailable.
    std::vector<double> values;
    // Why the item is unavailable for this log (kind Log): an item it names is not in the log,
    // the log has an item of its name, or it names an unavailable definition.
    std::optional<FormulaError> unavailable;
};

}  // namespace grafolux
