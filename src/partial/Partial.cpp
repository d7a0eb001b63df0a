#include "partial/Partial.h"

#include <algorithm>
#include <cstdint>

#include "tables/RetuneLogs.h"
#include "tables/RetuneText.h"

namespace grafolux {

namespace {

void AddConditionsAndDefinitions(std::vector<PartialField>& fields,
                                 const std::vector<SampleCondition>& conditions,
                                 const std::vector<std::string>& definitions) {
    for (const SampleCondition& condition : conditions)
        fields.push_back({"where", ConditionText(condition)});
    for (const std::string& definition : definitions) fields.push_back({"define", definition});
}

// The fields a fingerprint holds, in the order written, and how a message names each.
constexpr std::pair<std::string_view, std::string_view> kFields[] = {
    {"command", "the command (table or retune)"},
    {"table", "the table (blm or int)"},
    {"map", "the fuel map (--map)"},
    {"factor", "the factor (--factor)"},
    {"cells", "the cell rule (--cells)"},
    {"where", "the conditions (--where)"},
    {"define", "the definitions (--define)"},
};

// Whether both hold the same fields named `name`, in the same order: one pass over each.
bool SameValues(const Partial& a, const Partial& b, std::string_view name) {
    const auto next = [name](const std::vector<PartialField>& fields, size_t from) {
        while (from < fields.size() && fields[from].name != name) ++from;
        return from;
    };
    size_t i = next(a.fingerprint, 0), j = next(b.fingerprint, 0);
    for (; i < a.fingerprint.size() && j < b.fingerprint.size();
         i = next(a.fingerprint, i + 1), j = next(b.fingerprint, j + 1))
        if (a.fingerprint[i].value != b.fingerprint[j].value) return false;
    return i == a.fingerprint.size() && j == b.fingerprint.size();
}

}  // namespace

Partial TablePartial(const TableQuery& query, TableSums sums) {
    Partial partial{{{"command", "table"}, {"table", query.kind == TableKind::Blm ? "blm" : "int"}},
                    std::move(sums)};
    AddConditionsAndDefinitions(partial.fingerprint, query.conditions, query.definitions);
    return partial;
}

Partial RetunePartial(const RetuneQuery& query, RetuneSums sums) {
    Partial partial{{{"command", "retune"}}, std::move(sums)};
    // The map as a retune that changes nothing prints it: its texts as read, TAB-separated.
    const RetuneResult unchanged{std::vector<RetuneCell>(query.map.cells.size()), {}};
    const std::string text = RetuneText(query.map, unchanged, RetuneShow::Map);
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        partial.fingerprint.push_back({"map", text.substr(start, end - start)});
        start = end + 1;
    }
    partial.fingerprint.push_back(
        {"factor", query.factor ? "item " + *query.factor : std::string("trims")});
    partial.fingerprint.push_back({"cells", std::string(CellWeightingName(query.weighting))});
    AddConditionsAndDefinitions(partial.fingerprint, query.conditions, query.definitions);
    return partial;
}

namespace {

// The first condition that a log lacks the item of, as a lack.
std::optional<PartialLack> LackOfConditions(const std::vector<std::vector<size_t>>& missing,
                                            const std::vector<SampleCondition>& conditions) {
    for (size_t log = 0; log < missing.size(); ++log)
        if (!missing[log].empty())
            return PartialLack{log, conditions[missing[log].front()].item, missing[log].front()};
    return std::nullopt;
}

}  // namespace

std::variant<Partial, PartialLack> MakeTablePartial(const TableQuery& query,
                                                    std::span<const TableSource> logs) {
    PooledSums pooled = ComputePooledSums(logs, query.kind, query.conditions);
    if (auto lack = LackOfConditions(pooled.missing, query.conditions)) return *lack;
    return TablePartial(query, std::move(pooled.sums));
}

std::variant<Partial, PartialLack> MakeRetunePartial(const RetuneQuery& query,
                                                     std::span<const TableSource> logs) {
    auto gathered =
        GatherRetuneLogs(query.map, logs, query.factor, query.conditions, query.weighting);
    if (const auto* lack = std::get_if<RetuneLack>(&gathered))
        return PartialLack{lack->log, lack->item, std::nullopt};
    RetuneSumsOfLogs& done = std::get<RetuneSumsOfLogs>(gathered);
    if (auto lack = LackOfConditions(done.missingConditions, query.conditions)) return *lack;
    return RetunePartial(query, std::move(done.sums));
}

bool IsRetunePartial(const Partial& partial) {
    return std::holds_alternative<RetuneSums>(partial.sums);
}

std::optional<std::string> FingerprintDifference(const Partial& a, const Partial& b) {
    if (a.fingerprint == b.fingerprint) return std::nullopt;
    for (const auto& [name, meaning] : kFields)
        if (!SameValues(a, b, name)) return std::string(meaning);
    return "the order of the fingerprint's fields";  // a partial's reader allows no other
}

std::optional<std::string> MergePartial(Partial& into, const Partial& more) {
    bool beyond = false;
    const auto sum = [&](int64_t a, int64_t b, int64_t most = kMostCounted) {
        beyond |= a + b > most;
    };
    if (auto* table = std::get_if<TableSums>(&into.sums)) {
        const TableSums& other = std::get<TableSums>(more.sums);
        sum(table->samplesInRange, other.samplesInRange);
        sum(table->samplesPassed, other.samplesPassed);
        for (int k = 0; k < kTableRows; ++k)
            for (int m = 0; m < kTableColumns; ++m)
                sum(table->cells[k][m].count, other.cells[k][m].count, INT32_MAX);
        if (beyond) return "more samples than a table counts (2147483647 in a cell)";
        table->Add(other);
        return std::nullopt;
    }
    RetuneSums& retune = std::get<RetuneSums>(into.sums);
    const RetuneSums& other = std::get<RetuneSums>(more.sums);
    const RetuneEvidence &e = retune.evidence, &o = other.evidence;
    sum(e.logs, o.logs, INT32_MAX);
    for (const auto& [a, b] : {std::pair(e.samplesInRange, o.samplesInRange),
                               {e.samplesUsed, o.samplesUsed},
                               {e.missingRpm, o.missingRpm},
                               {e.missingMap, o.missingMap},
                               {e.missingFactor, o.missingFactor},
                               {e.missingAny, o.missingAny}})
        sum(a, b);
    for (size_t i = 0; i < e.failedCondition.size(); ++i)
        sum(e.failedCondition[i], o.failedCondition[i]);
    for (size_t i = 0; i < retune.cells.size(); ++i)
        sum(retune.cells[i].samples, other.cells[i].samples);
    if (beyond) return "more samples or logs than a retune counts";
    retune.Add(other);
    return std::nullopt;
}

FuelMap PartialMap(const Partial& partial) {
    std::string text;
    for (const PartialField& field : partial.fingerprint)
        if (field.name == "map") text.append(field.value).append("\n");
    return std::get<FuelMap>(ParseFuelMap(text, "the partial's map"));
}

}  // namespace grafolux
