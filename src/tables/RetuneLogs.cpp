#include "tables/RetuneLogs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace grafolux {

std::variant<RetuneInputs, RetuneLack> RetuneInputs::For(
    std::span<const TableSource> logs, const std::optional<std::string>& factorItem,
    std::span<const SampleCondition> conditions) {
    RetuneInputs inputs;
    for (size_t i = 0; i < logs.size(); ++i) {
        const LogData& log = *logs[i].log;
        std::vector<std::string> needed = {kRpmItem, kMapItem};
        if (factorItem)
            needed.push_back(*factorItem);
        else
            needed.insert(needed.end(), {ValueItemOf(TableKind::Blm), ValueItemOf(TableKind::Int)});
        for (const std::string& item : needed)
            if (log.itemNamed(item) == 0) return RetuneLack{i, item};
        auto input = std::make_unique<Input>();
        input->log = logs[i];
        input->factor = factorItem
                            ? log.wholeColumn(log.itemNamed(*factorItem))
                            : std::make_shared<const std::vector<double>>(DefaultFuelFactor(log));
        input->filter = SampleFilter(log, conditions);
        inputs.inputs_.push_back(std::move(input));
    }
    return inputs;
}

std::vector<RetuneSource> RetuneInputs::Sources() const {
    std::vector<RetuneSource> sources;
    for (const auto& input : inputs_)
        sources.push_back(RetuneSourceOf(*input->log.log, input->log.first, input->log.last,
                                         *input->factor, input->filter));
    return sources;
}

std::vector<std::vector<size_t>> RetuneInputs::MissingConditions() const {
    std::vector<std::vector<size_t>> missing;
    for (const auto& input : inputs_) missing.push_back(input->filter.missing());
    return missing;
}

SampleMarks RetuneInputs::MarkCell(size_t log, const FuelMap& map, size_t row, size_t column,
                                   int32_t first, int32_t last, CellWeighting weighting) const {
    const Input& input = *inputs_.at(log);
    return MarkRetuneCellSamples(
        map, RetuneSourceOf(*input.log.log, first, last, *input.factor, input.filter), row, column,
        weighting);
}

std::variant<RetuneOfLogs, RetuneLack> RetuneLogs(const FuelMap& map,
                                                  std::span<const TableSource> logs,
                                                  const std::optional<std::string>& factorItem,
                                                  std::span<const SampleCondition> conditions,
                                                  const RetuneSettings& settings) {
    auto gathered = GatherRetuneLogs(map, logs, factorItem, conditions, settings.weighting);
    if (auto* lack = std::get_if<RetuneLack>(&gathered)) return *lack;
    auto& done = std::get<RetuneSumsOfLogs>(gathered);
    return RetuneOfLogs{Retuned(map, done.sums, settings), std::move(done.missingConditions)};
}

std::variant<RetuneSumsOfLogs, RetuneLack> GatherRetuneLogs(
    const FuelMap& map, std::span<const TableSource> logs,
    const std::optional<std::string>& factorItem, std::span<const SampleCondition> conditions,
    CellWeighting weighting) {
    auto inputs = RetuneInputs::For(logs, factorItem, conditions);
    if (auto* lack = std::get_if<RetuneLack>(&inputs)) return *lack;
    const RetuneInputs& read = std::get<RetuneInputs>(inputs);
    return RetuneSumsOfLogs{GatherRetune(map, read.Sources(), weighting), read.MissingConditions()};
}

std::optional<double> PlainDecimal(std::string_view text) {
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
    for (const std::string_view digits : {whole, fraction})
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string PlainDecimalText(double value) {
    char text[400];  // the integer digits of the largest double and then some
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return std::string(text, end);
}

std::vector<std::string> ItemsReadByRetune(const std::optional<std::string>& factorItem,
                                           std::span<const SampleCondition> conditions) {
    std::vector<std::string> items = {kRpmItem, kMapItem};
    if (factorItem)
        items.push_back(*factorItem);
    else
        items.insert(items.end(), {ValueItemOf(TableKind::Blm), ValueItemOf(TableKind::Int)});
    for (const SampleCondition& condition : conditions)
        if (std::find(items.begin(), items.end(), condition.item) == items.end())
            items.push_back(condition.item);
    return items;
}

std::vector<std::string> ItemsReadByTablesAndRetune(const std::optional<std::string>& factorItem,
                                                    std::span<const SampleCondition> conditions) {
    std::vector<std::string> items = ItemsReadByTables(conditions);
    if (factorItem && std::find(items.begin(), items.end(), *factorItem) == items.end())
        items.push_back(*factorItem);
    return items;
}

}  // namespace grafolux
