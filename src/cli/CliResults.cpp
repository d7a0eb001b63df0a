#include "cli/CliResults.h"

#include "partial/PartialFile.h"
#include "partial/PartialText.h"
#include "tables/CellTableText.h"
#include "tables/RetuneLogs.h"

namespace grafolux::cli {

namespace {

// A plain number 0 or more ("5", "2.5"), else a usage error naming the option.
double PlainNumber(const CliArgs& args, const std::string& command, const std::string& option,
                   double fallback) {
    const std::optional<std::string> text = args.option(option);
    if (!text) return fallback;
    const std::optional<double> value = PlainDecimal(*text);
    if (!value) throw BadValue(command, option + " needs a number 0 or more, not " + *text);
    return *value;
}

}  // namespace

CellShow CellShowArgs(const CliArgs& args, const std::string& command) {
    CellShow show;
    if (const auto name = args.option("--show")) {
        const auto statistic = StatisticNamed(*name);
        if (!statistic)
            throw BadValue(command, "--show must be mean, count, min, max or sd, not " + *name);
        show.statistic = *statistic;
    }
    if (const auto text = args.option("--min-count")) {
        const bool whole = !text->empty() && text->size() <= 9 &&
                           text->find_first_not_of("0123456789") == std::string::npos;
        show.minCount = whole ? std::stoi(*text) : 0;
        if (show.minCount < 1)
            throw BadValue(command,
                           "--min-count needs a whole number from 1 to 999999999, not " + *text);
    }
    return show;
}

RetuneShow RetuneShowArg(const CliArgs& args, const std::string& command) {
    const std::string name = args.option("--show").value_or("map");
    const auto show = RetuneShowNamed(name);
    if (!show) throw BadValue(command, "--show must be map, change, weight or factor, not " + name);
    return *show;
}

RetuneSettings RetuneJudgementArgs(const CliArgs& args, const std::string& command,
                                   RetuneSettings settings) {
    settings.minWeight = PlainNumber(args, command, "--min-weight", settings.minWeight);
    settings.maxChange = PlainNumber(args, command, "--max-change", settings.maxChange);
    return settings;
}

bool CsvFormatArg(const CliArgs& args, const std::string& command) {
    const std::string format = args.option("--format").value_or("text");
    if (format != "text" && format != "csv")
        throw BadValue(command, "--format must be text or csv, not " + format);
    return format == "csv";
}

void RefuseOptions(const CliArgs& args, const std::string& command,
                   std::initializer_list<const char*> options, const std::string& why) {
    for (const char* option : options)
        if (args.option(option)) throw BadValue(command, std::string(option) + " " + why);
}

void WritePartialTo(const std::string& out, const Partial& partial, const Print& print) {
    if (out == "-") {
        print(PartialBytes(partial));
        return;
    }
    if (const auto error = WritePartialFile(out, partial)) throw RuntimeError(*error);
}

void MergedOutput(const CliArgs& args, const std::function<Partial()>& merge, const Print& print) {
    const std::optional<std::string> partial = args.option("--partial");
    if (partial)
        RefuseOptions(args, "merge",
                      {"--show", "--min-count", "--min-weight", "--max-change", "--format"},
                      "is for what merge prints, and with --partial it prints nothing");
    const bool csv = CsvFormatArg(args, "merge");
    const Partial merged = merge();
    if (partial) {
        WritePartialTo(*partial, merged, print);
        return;
    }
    if (const auto* table = std::get_if<TableSums>(&merged.sums)) {
        RefuseOptions(args, "merge", {"--min-weight", "--max-change"},
                      "is for retune partials, and these are table partials");
        print(TableOutput(table->Table(), CellShowArgs(args, "merge"), csv));
        return;
    }
    RefuseOptions(args, "merge", {"--min-count"},
                  "is for table partials, and these are retune partials");
    const FuelMap map = PartialMap(merged);
    const RetuneResult result =
        Retuned(map, std::get<RetuneSums>(merged.sums), RetuneJudgementArgs(args, "merge"));
    print(RetuneOutput(map, result, RetuneShowArg(args, "merge"), csv));
}

std::string TableOutput(const CellTable& table, const CellShow& show, bool csv) {
    return csv ? CellTableCsv(table, show) : CellTableText(table, show);
}

std::string RetuneOutput(const FuelMap& map, const RetuneResult& result, RetuneShow show,
                         bool csv) {
    return csv ? RetuneCsv(map, result, show) : RetuneText(map, result, show);
}

}  // namespace grafolux::cli
