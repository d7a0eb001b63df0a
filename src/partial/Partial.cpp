#include "partial/Partial.h"

#include <algorithm>
#include <cstdint>

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

// How a message names what a fingerprint field holds.
std::string FieldMeaning(const std::string& name) {
    if (name == "command") return "command (table or retune)";
    if (name == "table") return "table (blm or int)";
    if (name == "map") return "fuel map (--map)";
    if (name == "factor") return "factor (--factor)";
    if (name == "cells") return "cell rule (--cells)";
    if (name == "where") return "conditions (--where)";
    return "definitions (--define)";
}

// The values of the fields named `name`, in order.
std::vector<std::string> ValuesNamed(const Partial& partial, const std::string& name) {
    std::vector<std::string> values;
    for (const PartialField& field : partial.fingerprint)
        if (field.name == name) values.push_back(field.value);
    return values;
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

bool IsRetunePartial(const Partial& partial) {
    return std::holds_alternative<RetuneSums>(partial.sums);
}

std::optional<std::string> FingerprintDifference(const Partial& a, const Partial& b) {
    for (const PartialField& field : a.fingerprint.empty() ? b.fingerprint : a.fingerprint) {
        if (ValuesNamed(a, field.name) != ValuesNamed(b, field.name))
            return "the " + FieldMeaning(field.name);
    }
    for (const PartialField& field : b.fingerprint)
        if (ValuesNamed(a, field.name).empty()) return "the " + FieldMeaning(field.name);
    return std::nullopt;
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
    for (const std::string& line : ValuesNamed(partial, "map")) text += line + '\n';
    return std::get<FuelMap>(ParseFuelMap(text, "the partial's map"));
}

}  // namespace grafolux
