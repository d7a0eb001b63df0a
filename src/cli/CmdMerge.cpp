#include "cli/CliArgs.h"
#include "cli/CliResults.h"
#include "partial/PartialFile.h"

namespace grafolux::cli {

void RunMerge(const CliArgs& args, const Print& print) {
    if (args.positional().empty()) throw UsageError("wrong number of arguments");
    const std::optional<std::string> partial = args.option("--partial");
    if (partial)
        RefuseOptions(args, "merge",
                      {"--show", "--min-count", "--min-weight", "--max-change", "--format"},
                      "is for what merge prints, and with --partial it prints nothing");
    const bool csv = CsvFormatArg(args, "merge");

    auto read = MergePartialFiles(args.positional());
    if (const auto* fault = std::get_if<std::string>(&read)) throw RuntimeError(*fault);
    const Partial& merged = std::get<Partial>(read);
    if (partial) {
        if (const auto error = WritePartialFile(*partial, merged)) throw RuntimeError(*error);
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

}  // namespace grafolux::cli
