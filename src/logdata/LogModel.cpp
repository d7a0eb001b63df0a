#include "logdata/LogModel.h"

namespace grafolux {

int32_t LogData::itemNamed(std::string_view name) const {
    int32_t found = 0;
    for (int32_t k = 1; k <= lngItemCount; ++k)
        if (udtItems[k].strName == name) found = k;
    return found;
}

void LogData::AddItem(ItemInfo item, Column samples) {
    const int32_t logged = loggedItemCount();
    udtItems.insert(udtItems.begin() + logged + 1, std::move(item));
    columns_.insert(columns_.begin() + logged, std::move(samples));
    ++lngItemCount;
}

void LogData::AddComputedItem(ItemInfo item, std::vector<double> values) {
    udtItems.push_back(std::move(item));
    columns_.push_back(Column::Plain(std::move(values)));
    ++lngItemCount;
    ++computedItems_;
}

void LogData::RemoveComputedItems() {
    lngItemCount = loggedItemCount();
    udtItems.resize(static_cast<size_t>(lngItemCount) + 1);
    columns_.resize(static_cast<size_t>(lngItemCount));
    computedItems_ = 0;
}

size_t LogData::loggedBytes() const {
    size_t total = 0;
    for (int32_t k = 1; k <= loggedItemCount(); ++k) total += column(k).bytes();
    return total;
}

}  // namespace grafolux
