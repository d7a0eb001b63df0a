#pragma once
// The loaded log: items with their display settings, and the sample table.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logdata/Colour.h"

namespace grafolux {

struct ItemInfo {
    std::string strName;  // header field bytes, exactly as in the file
    bool blnLocked = false;
    Colour colour = 0;
    bool blnFilled = false;
};

// Items are numbered 1..lngItemCount and samples 1..lngSampleCount, as the user sees them.
// udtItems[0] is an empty placeholder; the sample table stores item k's samples
// contiguously (one column per item) so that a view scans one item quickly. The items computed
// from others follow the logged ones, each with a column of its own beside the table.
struct LogData {
    int32_t lngItemCount = 0;  // logged and computed
    int32_t lngSampleCount = 0;
    std::vector<ItemInfo> udtItems{ItemInfo{}};
    std::vector<double> dblSamples;  // the logged items' columns of lngSampleCount values
    // The computed items' columns, in their order after the logged items; a quiet NaN where a
    // value is missing.
    std::vector<std::vector<double>> dblComputed;

    int32_t loggedItemCount() const {
        return lngItemCount - static_cast<int32_t>(dblComputed.size());
    }

    // Value of item k (1-based) in sample s (1-based).
    double sample(int32_t k, int32_t s) const { return column(k)[static_cast<size_t>(s - 1)]; }
    // The last item named exactly `name` (a later column wins), 0 when none is.
    int32_t itemNamed(std::string_view name) const {
        int32_t found = 0;
        for (int32_t k = 1; k <= lngItemCount; ++k)
            if (udtItems[k].strName == name) found = k;
        return found;
    }
    // All samples of item k (1-based); element 0 is sample 1.
    std::span<const double> column(int32_t k) const {
        const int32_t logged = loggedItemCount();
        if (k > logged) return dblComputed[static_cast<size_t>(k - logged - 1)];
        return {
            dblSamples.data() + static_cast<size_t>(k - 1) * static_cast<size_t>(lngSampleCount),
            static_cast<size_t>(lngSampleCount)};
    }

    // A computed item after the others; `values` holds one per sample.
    void AddComputedItem(ItemInfo item, std::vector<double> values) {
        udtItems.push_back(std::move(item));
        dblComputed.push_back(std::move(values));
        ++lngItemCount;
    }
    // Back to the logged items alone.
    void RemoveComputedItems() {
        lngItemCount = loggedItemCount();
        udtItems.resize(static_cast<size_t>(lngItemCount) + 1);
        dblComputed.clear();
    }
};

}  // namespace grafolux
