#include "plots/KeptSamples.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace grafolux {

namespace {

constexpr int32_t kPiece = kBlockSamples;

// Adds the kept samples of one log's range to `kept`: piece by piece, the places of the kept
// samples first, then each item's values at those places.
void KeepOfLog(const TableSource& source, std::span<const int32_t> columns, size_t required,
               const SampleFilter& filter, KeptSamples& kept) {
    const LogData& log = *source.log;
    const int32_t first = std::max(source.first, 1),
                  last = std::min(source.last, log.lngSampleCount);
    std::array<double, kPiece> weights;
    std::array<int32_t, kPiece> places;
    std::vector<std::array<double, kPiece>> values(columns.size());
    for (int32_t from = first; from <= last; from += kPiece) {
        const int32_t n = std::min(kPiece, last - from + 1);
        kept.inRange += n;
        filter.MarkWeights(from, n, weights.data(), kept.failing);
        for (size_t k = 0; k < columns.size(); ++k)
            log.column(columns[k]).Read(from - 1, n, values[k].data());
        size_t count = 0, passing = 0;
        for (int32_t i = 0; i < n; ++i) {
            if (weights[static_cast<size_t>(i)] == 0) continue;
            ++passing;
            bool present = true;
            for (size_t k = 0; k < required; ++k) present &= !std::isnan(values[k][i]);
            places[count] = i;
            count += present;
        }
        kept.withoutValue += static_cast<int64_t>(passing - count);
        for (size_t k = 0; k < columns.size(); ++k)
            for (size_t j = 0; j < count; ++j) kept.values[k].push_back(values[k][places[j]]);
    }
}

}  // namespace

std::variant<KeptSamples, PlotLack> KeepSamples(std::span<const TableSource> logs,
                                                std::span<const std::string> items, size_t required,
                                                std::span<const SampleCondition> conditions) {
    KeptSamples kept;
    kept.values.resize(items.size());
    kept.failing.assign(conditions.size(), 0);
    // Room for every sample in range, so that keeping one never moves the others.
    size_t inRange = 0;
    for (const TableSource& source : logs)
        inRange += static_cast<size_t>(std::max(
            0, std::min(source.last, source.log->lngSampleCount) - std::max(source.first, 1) + 1));
    for (PlotValues& values : kept.values) values.reserve(inRange);
    for (size_t i = 0; i < logs.size(); ++i) {
        std::vector<int32_t> columns;
        for (const std::string& item : items) {
            const int32_t k = logs[i].log->itemNamed(item);
            if (k == 0) return PlotLack{i, item};
            columns.push_back(k);
        }
        const SampleFilter filter(*logs[i].log, conditions);
        kept.missingConditions.push_back(filter.missing());
        KeepOfLog(logs[i], columns, required, filter, kept);
    }
    return kept;
}

}  // namespace grafolux
