#include <QFile>
#include <iostream>
#include <iterator>
#include <variant>

#include "cli/CliArgs.h"
#include "tables/FuelMap.h"
#include "tables/RetuneLogs.h"
#include "tables/RetuneText.h"

namespace grafolux::cli {

namespace {

// A plain number 0 or more ("5", "2.5"), else a usage error naming the option.
double PlainNumber(const CliArgs& args, const std::string& option, double fallback) {
    const std::optional<std::string> text = args.option(option);
    if (!text) return fallback;
    const std::optional<double> value = PlainDecimal(*text);
    if (!value) throw BadValue("retune", option + " needs a number 0 or more, not " + *text);
    return *value;
}

RetuneSettings SettingsArgs(const CliArgs& args) {
    RetuneSettings settings;
    if (const auto cells = args.option("--cells")) {
        const auto weighting = CellWeightingNamed(*cells);
        if (!weighting)
            throw BadValue("retune", "--cells must be bilinear or nearest, not " + *cells);
        settings.weighting = *weighting;
    }
    settings.minWeight = PlainNumber(args, "--min-weight", settings.minWeight);
    settings.maxChange = PlainNumber(args, "--max-change", settings.maxChange);
    return settings;
}

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
    const RetuneSettings settings = SettingsArgs(args);
    const std::string showName = args.option("--show").value_or("map");
    const auto show = RetuneShowNamed(showName);
    if (!show)
        throw BadValue("retune", "--show must be map, change, weight or factor, not " + showName);
    const std::string format = args.option("--format").value_or("text");
    if (format != "text" && format != "csv")
        throw BadValue("retune", "--format must be text or csv, not " + format);
    const std::vector<SampleCondition> conditions = WhereConditions(args, "retune");
    const std::vector<Definition> definitions = DefineArgs(args, "retune");
    const std::optional<std::string> factor = args.option("--factor");

    const FuelMap map = ReadMap(*mapPath);
    // Only the columns the retune reads are kept.
    const PooledLogs logs = LoadPooledLogs(
        args, 0, {ItemsToKeep(definitions, ItemsReadByRetune(factor, conditions)), 0}, definitions);
    const auto retuned = RetuneLogs(map, logs.Sources(), factor, conditions, settings);
    if (const auto* lack = std::get_if<RetuneLack>(&retuned))
        throw RuntimeError(logs.paths[lack->log] + ": no item named " + lack->item);
    const RetuneOfLogs& done = std::get<RetuneOfLogs>(retuned);
    for (size_t i = 0; i < logs.paths.size(); ++i)
        CheckConditionItems(args, logs.paths[i], done.missingConditions[i]);
    print(format == "csv" ? RetuneCsv(map, done.result, *show)
                          : RetuneText(map, done.result, *show));
}

}  // namespace grafolux::cli
