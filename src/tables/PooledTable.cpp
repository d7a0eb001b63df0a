#include "tables/PooledTable.h"

#include <algorithm>

namespace grafolux {

PooledSums ComputePooledSums(std::span<const TableSource> sources, TableKind kind,
                             std::span<const SampleCondition> conditions, Gathered gathered) {
    PooledSums pooled;
    CellTableBuilder builder(kind, gathered);
    for (const TableSource& source : sources) {
        const SampleFilter filter(*source.log, conditions);
        builder.Add(*source.log, source.first, source.last, filter);
        pooled.missing.push_back(filter.missing());
    }
    pooled.sums = builder.Sums();
    return pooled;
}

PooledTable ComputePooledTable(std::span<const TableSource> sources, TableKind kind,
                               std::span<const SampleCondition> conditions, Gathered gathered) {
    PooledSums pooled = ComputePooledSums(sources, kind, conditions, gathered);
    return {pooled.sums.Table(), std::move(pooled.missing)};
}

std::vector<std::string> ItemsReadByTables(std::span<const SampleCondition> conditions) {
    std::vector<std::string> items = {kRpmItem, kMapItem, ValueItemOf(TableKind::Blm),
                                      ValueItemOf(TableKind::Int)};
    for (const SampleCondition& condition : conditions)
        if (std::find(items.begin(), items.end(), condition.item) == items.end())
            items.push_back(condition.item);
    return items;
}

}  // namespace grafolux
