#include "cli/CliArgs.h"

#include <algorithm>
#include <new>
#include <variant>

#include "formula/ComputedItems.h"
#include "logdata/LogLoader.h"
#include "views/SampleRange.h"

namespace grafolux::cli {

namespace {

bool IsOption(const std::string& word) { return word.size() > 2 && word.starts_with("--"); }

// Options that take every word up to the next option.
constexpr const char* kListOptions[] = {"--versus"};

}  // namespace

CliArgs::CliArgs(std::vector<std::string> words, const std::vector<std::string>& knownOptions,
                 CacheChoices cache)
    : cache_(std::move(cache)) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (IsOption(word)) {
            if (std::find(knownOptions.begin(), knownOptions.end(), word) == knownOptions.end())
                throw UsageError("unknown option " + word);
            const bool list = std::find(std::begin(kListOptions), std::end(kListOptions), word) !=
                              std::end(kListOptions);
            if (i + 1 >= words.size() || (list && IsOption(words[i + 1])))
                throw UsageError("option " + word + " needs a value");
            options_.emplace_back(word, words[++i]);
            while (list && i + 1 < words.size() && !IsOption(words[i + 1]))
                options_.emplace_back(word, words[++i]);
        } else {
            positional_.push_back(word);
        }
    }
}

void CliArgs::expectPositional(size_t count) const {
    if (positional_.size() != count) throw UsageError("wrong number of arguments");
}

std::optional<std::string> CliArgs::option(const std::string& name) const {
    std::optional<std::string> value;
    for (const auto& [key, text] : options_)
        if (key == name) value = text;
    return value;
}

std::vector<std::string> CliArgs::options(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& [key, text] : options_)
        if (key == name) values.push_back(text);
    return values;
}

UsageError BadValue(const std::string& command, const std::string& what) {
    return UsageError(what + " (see grafolux-cli " + command + " --help)", false);
}

TableKind TableKindArg(const CliArgs& args) {
    const std::string& kind = args.positional().at(0);
    if (kind != "blm" && kind != "int") throw UsageError("table kind must be blm or int");
    return kind == "blm" ? TableKind::Blm : TableKind::Int;
}

std::pair<int32_t, int32_t> SampleRangeArgs(const CliArgs& args, const LogData& log) {
    const auto first = args.option("--first");
    const auto last = args.option("--last");
    return {first ? RoundedRangeNumber(*first) : 1,
            last ? RoundedRangeNumber(*last) : log.lngSampleCount};
}

std::vector<TableSource> PooledLogs::Sources() const {
    std::vector<TableSource> sources;
    for (size_t i = 0; i < logs.size(); ++i)
        sources.push_back({&logs[i], ranges[i].first, ranges[i].second});
    return sources;
}

PooledLogs LoadPooledLogs(const CliArgs& args, size_t firstLog, const LoadOptions& options,
                          std::span<const Definition> definitions) {
    const std::vector<std::string>& words = args.positional();
    std::vector<std::string> paths(words.begin() + static_cast<std::ptrdiff_t>(firstLog),
                                   words.end());
    const size_t ranged = paths.size();
    for (const std::string& path : args.options("--include")) paths.push_back(path);
    return LoadRangedLogs(args, std::move(paths), ranged, options, definitions);
}

PooledLogs LoadRangedLogs(const CliArgs& args, std::vector<std::string> paths, size_t ranged,
                          const LoadOptions& options, std::span<const Definition> definitions) {
    PooledLogs pooled;
    pooled.paths = std::move(paths);
    for (LoadResult& result : OpenLogs(pooled.paths, 0, options, {}, args.cache())) {
        if (const auto* error = std::get_if<LoadError>(&result)) throw RuntimeError(error->message);
        pooled.logs.push_back(std::move(std::get<LogData>(result)));
        LogData& log = pooled.logs.back();
        AttachDefinitions(log, pooled.paths[pooled.ranges.size()], definitions);
        pooled.ranges.push_back(pooled.ranges.size() < ranged ? SampleRangeArgs(args, log)
                                                              : std::pair(1, log.lngSampleCount));
    }
    return pooled;
}

std::vector<SampleCondition> WhereConditions(const CliArgs& args, const std::string& command) {
    std::vector<SampleCondition> conditions;
    for (const std::string& text : args.options("--where")) {
        auto parsed = ParseCondition(text);
        if (const auto* error = std::get_if<ConditionError>(&parsed))
            throw BadValue(command, "--where " + text + ": " + error->message);
        conditions.push_back(std::move(std::get<SampleCondition>(parsed)));
    }
    return conditions;
}

void CheckConditionItems(const CliArgs& args, const std::string& path,
                         const std::vector<size_t>& missing) {
    if (missing.empty()) return;
    const std::string where = args.options("--where")[missing.front()];
    const auto parsed = ParseCondition(where);
    throw RuntimeError(path + ": no item named " + std::get<SampleCondition>(parsed).item +
                       " (in --where " + where + ")");
}

std::vector<Definition> DefineArgs(const CliArgs& args, const std::string& command) {
    auto parsed = ParseDefinitions(args.options("--define"));
    if (const auto* error = std::get_if<FormulaError>(&parsed))
        throw BadValue(command, "--define " + error->message);
    return std::get<std::vector<Definition>>(std::move(parsed));
}

std::vector<std::string> ItemsToKeep(std::span<const Definition> definitions,
                                     std::vector<std::string> names) {
    for (const Definition& definition : definitions) names.push_back(definition.name);
    return ItemsNeededFor(definitions, std::move(names)).names;
}

void AttachDefinitions(LogData& log, const std::string& path,
                       std::span<const Definition> definitions, Colour colour) {
    std::vector<FormulaError> unavailable;
    try {
        unavailable = AttachComputedItems(log, definitions, colour);
    } catch (const std::bad_alloc&) {
        throw RuntimeError(path + ": not enough memory for the computed items");
    }
    if (!unavailable.empty()) throw RuntimeError(path + ": " + unavailable.front().message);
}

LogData LoadLogOrThrow(const CliArgs& args, const std::string& path, Colour itemColour,
                       const LoadOptions& options) {
    LoadResult result = OpenLog(path, itemColour, {}, options, args.cache());
    if (const auto* error = std::get_if<LoadError>(&result)) throw RuntimeError(error->message);
    return std::move(std::get<LogData>(result));
}

}  // namespace grafolux::cli
