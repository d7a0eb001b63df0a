#include "logdata/DecodedColumns.h"

#include <algorithm>

namespace grafolux {

WholeColumn DecodedColumns::Of(const Column& column) {
    if (column.plain()) return column.Whole();
    const std::lock_guard lock(mutex_);
    const auto found = std::find_if(recent_.begin(), recent_.end(), [&](const Entry& entry) {
        return entry.column.identity() == column.identity();
    });
    if (found != recent_.end()) {
        recent_.splice(recent_.begin(), recent_, found);
        return found->values;
    }
    WholeColumn values = column.Whole();
    recent_.push_front({column, values});
    size_t held = 0;
    for (auto entry = recent_.begin(); entry != recent_.end();) {
        held += entry->values->size() * sizeof(double);
        entry =
            held > kBudget && entry != recent_.begin() ? recent_.erase(entry) : std::next(entry);
    }
    return values;
}

}  // namespace grafolux
