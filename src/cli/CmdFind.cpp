#include <variant>

#include "cli/CliArgs.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaReader.h"

namespace grafolux::cli {

void RunFind(const CliArgs& args, const Print& print) {
    args.expectPositional(1);
    const std::optional<std::string> when = args.option("--when");
    if (!when) throw UsageError("--when is needed");
    auto parsed = ParseExpression(*when);
    if (const auto* error = std::get_if<FormulaError>(&parsed))
        throw BadValue("find", "--when " + error->message);
    const Expression& condition = std::get<Expression>(parsed);
    const std::vector<Definition> definitions = DefineArgs(args, "find");

    const std::string& path = args.positional()[0];
    LogData log =
        LoadLogOrThrow(args, path, 0, {ItemsToKeep(definitions, NamesReadBy(condition)), 0});
    AttachDefinitions(log, path, definitions);
    const auto bound = FormulaProgram::Bind(condition, log);
    if (const auto* error = std::get_if<FormulaError>(&bound))
        throw RuntimeError(path + ": " + error->message);

    const auto [first, last] = SampleRangeArgs(args, log);
    std::string out;
    for (const SampleMarks::Run& run :
         MarkHolding(std::get<FormulaProgram>(bound), first, last).Runs())
        out.append(std::to_string(run.first)).append("\t").append(std::to_string(run.last)) += '\n';
    print(out);
}

}  // namespace grafolux::cli
