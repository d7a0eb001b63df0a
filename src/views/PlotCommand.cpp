#include "views/PlotCommand.h"

#include "views/SampleRange.h"
#include "views/TableCommand.h"

namespace grafolux {

namespace {

void AddLogOptions(std::vector<std::string>& words, const PlotCommandLogs& logs) {
    words.insert(words.end(),
                 {"--first", std::to_string(logs.first), "--last", std::to_string(logs.last)});
    for (const std::string& definition : logs.definitions)
        words.insert(words.end(), {"--define", definition});
    for (const SampleCondition& condition : logs.conditions)
        words.insert(words.end(), {"--where", ConditionText(condition)});
    for (const std::string& log : logs.included) words.insert(words.end(), {"--include", log});
}

}  // namespace

PlotCommandLogs WindowPlotLogs(const std::string& path, const LogData& log,
                               std::string_view firstText, std::string_view lastText,
                               const TableSettings& settings,
                               std::span<const Definition> definitions,
                               std::vector<std::string> items,
                               const std::optional<VersusLog>& versus) {
    PlotCommandLogs command;
    command.log = AbsolutePath(path);
    command.first = RoundedRangeNumber(firstText);
    command.last = RoundedRangeNumber(lastText);
    std::vector<const LogData*> logs = {&log};
    for (const IncludedLog& included : settings.included) {
        command.included.push_back(AbsolutePath(included.path));
        logs.push_back(included.log);
    }
    if (versus) {
        command.versus = AbsolutePath(versus->path);
        logs.push_back(versus->log);
    }
    command.conditions = ConditionsSomeLogTests(logs, settings.conditions);
    for (const SampleCondition& condition : command.conditions) items.push_back(condition.item);
    for (const Definition& definition : ItemsNeededFor(definitions, items).definitions)
        command.definitions.push_back(definition.expression.text);
    return command;
}

std::vector<std::string> ScatterCommandWords(const PlotCommandLogs& logs, const std::string& out,
                                             const ScatterItems& items, QSize size) {
    std::vector<std::string> words = {"grafolux-cli", "export", "scatter", logs.log, out,
                                      "--x",          items.x,  "--y",     items.y};
    if (items.colour) words.insert(words.end(), {"--colour", *items.colour});
    words.insert(words.end(),
                 {"--size", std::to_string(size.width()) + "x" + std::to_string(size.height())});
    AddLogOptions(words, logs);
    if (!logs.versus.empty()) words.insert(words.end(), {"--versus", logs.versus});
    return words;
}

std::vector<std::string> HistogramCommandWords(const PlotCommandLogs& logs, const std::string& item,
                                               int32_t bins) {
    std::vector<std::string> words = {"grafolux-cli", "histogram", logs.log,
                                      item,           "--bins",    std::to_string(bins)};
    AddLogOptions(words, logs);
    words.insert(words.end(), {"--format", "text"});
    return words;
}

}  // namespace grafolux
