#include <QFile>
#include <iostream>
#include <iterator>
#include <variant>

#include "cli/CliArgs.h"
#include "cli/CliResults.h"
#include "tables/FuelMap.h"
#include "tables/RetuneLogs.h"
#include "tables/RetuneText.h"

namespace grafolux::cli {

namespace {

// The map's text and its name in messages; "-" reads standard input.
FuelMap ReadMap(const std::string& path) {
    std::string text;
    std::string name = path;
    if (path == "-") {
        name = "standard input";
        text.assign(std::istreambuf_iterator<char>(std::cin), {});
        if (std::cin.bad()) throw RuntimeError("standard input: cannot be read");
    } else {
        QFile file(QFile::decodeName(path.c_str()));
        if (!file.open(QIODevice::ReadOnly))
            throw RuntimeError(path + ": " + file.errorString().toStdString());
        text = file.readAll().toStdString();
        if (file.error() != QFileDevice::NoError)
            throw RuntimeError(path + ": " + file.errorString().toStdString());
    }
    auto parsed = ParseFuelMap(text, name);
    if (const auto* error = std::get_if<MapError>(&parsed)) throw RuntimeError(error->message);
    return std::get<FuelMap>(std::move(parsed));
}

}  // namespace

void RunRetune(const CliArgs& args, const Print& print) {
    if (args.positional().empty()) throw UsageError("wrong number of arguments");
    const std::optional<std::string> mapPath = args.option("--map");
    if (!mapPath) throw UsageError("--map is needed");
    const std::optional<std::string> partial = args.option("--partial");
    if (partial)
        RefuseOptions(args, "retune", {"--show", "--min-weight", "--max-change", "--format"},
                      "is for what merge prints: a partial keeps the sums behind every figure");
    RetuneSettings settings = RetuneJudgementArgs(args, "retune");
    if (const auto cells = args.option("--cells")) {
        const auto weighting = CellWeightingNamed(*cells);
        if (!weighting)
            throw BadValue("retune", "--cells must be bilinear or nearest, not " + *cells);
        settings.weighting = *weighting;
    }
    const RetuneShow show = RetuneShowArg(args, "retune");
    const bool csv = CsvFormatArg(args, "retune");
    const std::vector<SampleCondition> conditions = WhereConditions(args, "retune");
    const std::vector<Definition> definitions = DefineArgs(args, "retune");
    const std::optional<std::string> factor = args.option("--factor");

    const FuelMap map = ReadMap(*mapPath);
    // Only the columns the retune reads are kept.
    const PooledLogs logs = LoadPooledLogs(
        args, 0, {ItemsToKeep(definitions, ItemsReadByRetune(factor, conditions)), 0}, definitions);
    if (partial) {
        const RetuneQuery query{map, factor, settings.weighting, conditions,
                                args.options("--define")};
        auto made = MakeRetunePartial(query, logs.Sources());
        if (const auto* lack = std::get_if<PartialLack>(&made)) {
            if (lack->condition)
                CheckConditionItems(args, logs.paths[lack->log], {*lack->condition});
            throw RuntimeError(logs.paths[lack->log] + ": no item named " + lack->item);
        }
        WritePartialTo(*partial, std::get<Partial>(made), print);
        return;
    }
    const auto retuned = RetuneLogs(map, logs.Sources(), factor, conditions, settings);
    if (const auto* lack = std::get_if<RetuneLack>(&retuned))
        throw RuntimeError(logs.paths[lack->log] + ": no item named " + lack->item);
    const RetuneOfLogs& done = std::get<RetuneOfLogs>(retuned);
    for (size_t i = 0; i < logs.paths.size(); ++i)
        CheckConditionItems(args, logs.paths[i], done.missingConditions[i]);
    print(RetuneOutput(map, done.result, show, csv));
}

}  // namespace grafolux::cli
