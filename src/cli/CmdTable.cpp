#include "cli/CliArgs.h"
#include "cli/CliResults.h"
#include "tables/CellDifference.h"
#include "tables/CellTableText.h"
#include "tables/PooledTable.h"

namespace grafolux::cli {

void RunTable(const CliArgs& args, const Print& print) {
    if (args.positional().size() < 2) throw UsageError("wrong number of arguments");
    const TableKind table = TableKindArg(args);
    const std::optional<std::string> partial = args.option("--partial");
    if (partial) {
        RefuseOptions(args, "table", {"--show", "--min-count", "--format"},
                      "is for what merge prints: a partial keeps every statistic");
        RefuseOptions(args, "table", {"--versus"}, "cannot make a partial: merge the tables");
    }
    const CellShow show = CellShowArgs(args, "table");
    const bool csv = CsvFormatArg(args, "table");
    const std::vector<SampleCondition> conditions = WhereConditions(args, "table");
    const std::vector<Definition> definitions = DefineArgs(args, "table");

    // Only the columns the table reads are kept.
    const LoadOptions options{ItemsToKeep(definitions, ItemsReadByTables(conditions)), 0};
    const auto sumsOf = [&](const PooledLogs& logs, Gathered gathered) {
        PooledSums pooled = ComputePooledSums(logs.Sources(), table, conditions, gathered);
        for (size_t i = 0; i < logs.paths.size(); ++i)
            CheckConditionItems(args, logs.paths[i], pooled.missing[i]);
        return std::move(pooled.sums);
    };
    const PooledLogs logs = LoadPooledLogs(args, 1, options, definitions);
    if (partial) {
        auto made = MakeTablePartial({table, conditions, args.options("--define")}, logs.Sources());
        if (const auto* lack = std::get_if<PartialLack>(&made))
            CheckConditionItems(args, logs.paths[lack->log], {*lack->condition});
        WritePartialTo(*partial, std::get<Partial>(made), print);
        return;
    }
    const Gathered gathered = GatheredFor(show.statistic);
    const CellTable before = sumsOf(logs, gathered).Table();
    const std::vector<std::string> versus = args.options("--versus");
    if (versus.empty()) {
        print(TableOutput(before, show, csv));
        return;
    }
    const CellTable after =
        sumsOf(LoadRangedLogs(args, versus, versus.size(), options, definitions), gathered).Table();
    const ShownCells cells = DifferenceCells(before, after, show);
    print(csv ? ShownCellsCsv(cells, show.statistic) : ShownCellsText(cells, show.statistic));
}

}  // namespace grafolux::cli
