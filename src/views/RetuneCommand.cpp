#include "views/RetuneCommand.h"

#include "views/SampleRange.h"
#include "views/ShellWords.h"
#include "views/TableCommand.h"

namespace grafolux {

std::vector<std::string> RetuneCommandWords(const RetuneCommand& command) {
    std::vector<std::string> words = {"grafolux-cli", "retune", command.log};
    for (const std::string& log : command.included) words.insert(words.end(), {"--include", log});
    words.insert(words.end(),
                 {"--map", command.mapPath.empty() ? "-" : command.mapPath, "--first",
                  std::to_string(command.first), "--last", std::to_string(command.last)});
    if (command.choices.factor) words.insert(words.end(), {"--factor", *command.choices.factor});
    for (const std::string& definition : command.definitions)
        words.insert(words.end(), {"--define", definition});
    for (const SampleCondition& condition : command.conditions)
        words.insert(words.end(), {"--where", ConditionText(condition)});
    const RetuneSettings& settings = command.choices.settings;
    words.insert(words.end(),
                 {"--cells", std::string(CellWeightingName(settings.weighting)), "--min-weight",
                  PlainDecimalText(settings.minWeight), "--max-change",
                  PlainDecimalText(settings.maxChange), "--show", "map", "--format", "text"});
    return words;
}

std::string RetuneCommandLine(const RetuneCommand& command) {
    std::string line = ShellCommandLine(RetuneCommandWords(command));
    if (!command.mapPath.empty()) return line;
    // No line of a map that reads is "MAP" alone: every line holds two fields or more.
    line += " <<'MAP'\n" + command.mapText;
    if (!command.mapText.ends_with('\n')) line += '\n';
    return line + "MAP\n";
}

RetuneCommand WindowRetuneCommand(const std::string& path, const LogData& log,
                                  std::string_view firstText, std::string_view lastText,
                                  const TableSettings& tables, const RetuneChoices& choices,
                                  const std::string& mapPath, const std::string& mapText,
                                  std::span<const Definition> definitions) {
    RetuneCommand command;
    command.log = AbsolutePath(path);
    std::vector<const LogData*> logs = {&log};
    for (const IncludedLog& included : tables.included) {
        command.included.push_back(AbsolutePath(included.path));
        logs.push_back(included.log);
    }
    command.mapPath = mapPath.empty() ? std::string() : AbsolutePath(mapPath);
    command.mapText = mapPath.empty() ? mapText : std::string();
    command.first = RoundedRangeNumber(firstText);
    command.last = RoundedRangeNumber(lastText);
    command.choices = choices;
    command.conditions = ConditionsSomeLogTests(logs, tables.conditions);
    for (const Definition& definition :
         ItemsNeededFor(definitions, ItemsReadByRetune(choices.factor, command.conditions))
             .definitions)
        command.definitions.push_back(definition.expression.text);
    return command;
}

}  // namespace grafolux
