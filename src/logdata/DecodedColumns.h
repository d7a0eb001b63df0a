#pragma once
// The whole columns a view asked for last, kept decoded: a graph redrawn at every scroll reads
// the same few columns whole again and again.

#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "logdata/Column.h"

namespace grafolux {

// Every sample of an item as doubles (element 0 is sample 1), shared while a view reads it.
using WholeColumn = std::shared_ptr<const std::vector<double>>;

class DecodedColumns {
public:
    // The column's samples: decoded now, or as they were decoded for an earlier call. The
    // columns asked for last stay decoded up to kBudget bytes; a plain column is its own.
    WholeColumn Of(const Column& column);

    static constexpr size_t kBudget = size_t{256} << 20;

private:
    struct Entry {
        Column column;  // held, so that its identity is not taken by another column
        WholeColumn values;
    };
    std::mutex mutex_;
    std::list<Entry> recent_;  // the last asked for first
};

}  // namespace grafolux
