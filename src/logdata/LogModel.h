#pragma once
// The loaded log: items with their display settings, and a column of samples for each.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logdata/Colour.h"
#include "logdata/Column.h"
#include "logdata/DecodedColumns.h"

namespace grafolux {

struct ItemInfo {
    std::string strName;  // header field bytes, exactly as in the file
    bool blnLocked = false;
    Colour colour = 0;
    bool blnFilled = false;
};

// Items are numbered 1..lngItemCount and samples 1..lngSampleCount, as the user sees them.
// udtItems[0] is an empty placeholder. Every item has a column of lngSampleCount samples; the
// items computed from others follow the logged ones.
struct LogData {
    int32_t lngItemCount = 0;  // logged and computed
    int32_t lngSampleCount = 0;
    std::vector<ItemInfo> udtItems{ItemInfo{}};

    int32_t loggedItemCount() const { return lngItemCount - computedItems_; }

    // Value of item k (1-based) in sample s (1-based).
    double sample(int32_t k, int32_t s) const { return column(k).at(s - 1); }
    // The last item named exactly `name` (a later column wins), 0 when none is.
    int32_t itemNamed(std::string_view name) const;
    // The samples of item k (1-based); its element 0 is sample 1.
    const Column& column(int32_t k) const { return columns_[static_cast<size_t>(k - 1)]; }
    // Every sample of item k at once, for a view that reads a whole column: the columns asked
    // for last stay decoded.
    WholeColumn wholeColumn(int32_t k) const { return decoded_->Of(column(k)); }

    // A logged item after the other logged ones; `samples` holds lngSampleCount samples.
    void AddItem(ItemInfo item, Column samples);
    // A computed item after the others; `values` holds one per sample, a quiet NaN where a
    // value is missing.
    void AddComputedItem(ItemInfo item, std::vector<double> values);
    // Back to the logged items alone.
    void RemoveComputedItems();
    // The bytes the logged items' columns hold.
    size_t loggedBytes() const;

private:
    std::vector<Column> columns_;
    int32_t computedItems_ = 0;
    // Shared by copies of the log, which share its columns.
    std::shared_ptr<DecodedColumns> decoded_ = std::make_shared<DecodedColumns>();
};

}  // namespace grafolux
