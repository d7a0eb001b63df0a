#include "views/TableCommand.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "tables/PooledTable.h"
#include "views/SampleRange.h"

namespace grafolux {

std::string AbsolutePath(const std::string& path) {
    return QFile::encodeName(QFileInfo(QFile::decodeName(path.c_str())).absoluteFilePath())
        .toStdString();
}

std::vector<SampleCondition> ConditionsSomeLogTests(std::span<const LogData* const> logs,
                                                    std::span<const SampleCondition> conditions) {
    // Counted per condition: in how many logs its item is missing.
    std::vector<size_t> missingIn(conditions.size(), 0);
    for (const LogData* log : logs) {
        const SampleFilter filter(*log, conditions);
        for (const size_t i : filter.missing()) ++missingIn[i];
    }
    std::vector<SampleCondition> tested;
    for (size_t i = 0; i < conditions.size(); ++i)
        if (missingIn[i] < logs.size()) tested.push_back(conditions[i]);
    return tested;
}

std::vector<std::string> TableCommandWords(const TableCommand& command) {
    std::vector<std::string> words = {"grafolux-cli", "table",
                                      command.kind == TableKind::Int ? "int" : "blm", command.log};
    for (const std::string& log : command.included) words.insert(words.end(), {"--include", log});
    if (!command.versus.empty()) {
        words.push_back("--versus");
        words.insert(words.end(), command.versus.begin(), command.versus.end());
    }
    words.insert(words.end(),
                 {"--first", std::to_string(command.first), "--last", std::to_string(command.last),
                  "--show", std::string(StatisticName(command.show.statistic)), "--min-count",
                  std::to_string(command.show.minCount)});
    for (const std::string& definition : command.definitions)
        words.insert(words.end(), {"--define", definition});
    for (const SampleCondition& condition : command.conditions)
        words.insert(words.end(), {"--where", ConditionText(condition)});
    words.insert(words.end(), {"--format", "text"});
    return words;
}

TableCommand WindowTableCommand(TableKind kind, const std::string& path, const LogData& log,
                                std::string_view firstText, std::string_view lastText,
                                const TableSettings& settings,
                                std::span<const Definition> definitions) {
    TableCommand command{kind,
                         AbsolutePath(path),
                         {},
                         RoundedRangeNumber(firstText),
                         RoundedRangeNumber(lastText),
                         settings.look.show,
                         {},
                         {}};
    std::vector<const LogData*> logs = {&log};
    for (const IncludedLog& included : settings.included) {
        command.included.push_back(AbsolutePath(included.path));
        logs.push_back(included.log);
    }
    if (settings.versus) {
        command.versus.push_back(AbsolutePath(settings.versus->path));
        logs.push_back(settings.versus->log);
    }
    command.conditions = ConditionsSomeLogTests(logs, settings.conditions);
    for (const Definition& definition :
         ItemsNeededFor(definitions, ItemsReadByTables(command.conditions)).definitions)
        command.definitions.push_back(definition.expression.text);
    return command;
}

}  // namespace grafolux
