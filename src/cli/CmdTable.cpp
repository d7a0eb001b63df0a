#include "cli/CliArgs.h"
#include "tables/CellDifference.h"
#include "tables/CellDisplay.h"
#include "tables/CellTableText.h"
#include "tables/PooledTable.h"

namespace grafolux::cli {

namespace {

CellShow ShowOptions(const CliArgs& args) {
    CellShow show;
    if (const auto name = args.option("--show")) {
        const auto statistic = StatisticNamed(*name);
        if (!statistic)
            throw BadValue("table", "--show must be mean, count, min, max or sd, not " + *name);
        show.statistic = *statistic;
    }
    if (const auto text = args.option("--min-count")) {
        const bool whole = !text->empty() && text->size() <= 9 &&
                           text->find_first_not_of("0123456789") == std::string::npos;
        show.minCount = whole ? std::stoi(*text) : 0;
        if (show.minCount < 1)
            throw BadValue("table",
                           "--min-count needs a whole number from 1 to 999999999, not " + *text);
    }
    return show;
}

}  // namespace

void RunTable(const CliArgs& args, const Print& print) {
    if (args.positional().size() < 2) throw UsageError("wrong number of arguments");
    const TableKind table = TableKindArg(args);
    const CellShow show = ShowOptions(args);
    const std::vector<SampleCondition> conditions = WhereConditions(args, "table");
    const std::vector<Definition> definitions = DefineArgs(args, "table");
    const std::string format = args.option("--format").value_or("text");
    if (format != "text" && format != "csv")
        throw BadValue("table", "--format must be text or csv, not " + format);

    // Only the columns the table reads are kept.
    const LoadOptions options{ItemsToKeep(definitions, ItemsReadByTables(conditions)), 0};
    const auto tableOf = [&](const PooledLogs& logs) {
        PooledTable pooled =
            ComputePooledTable(logs.Sources(), table, conditions, GatheredFor(show.statistic));
        for (size_t i = 0; i < logs.paths.size(); ++i)
            CheckConditionItems(args, logs.paths[i], pooled.missing[i]);
        return pooled.table;
    };
    const CellTable before = tableOf(LoadPooledLogs(args, 1, options, definitions));
    const std::vector<std::string> versus = args.options("--versus");
    if (versus.empty()) {
        print(format == "csv" ? CellTableCsv(before, show) : CellTableText(before, show));
        return;
    }
    const ShownCells cells = DifferenceCells(
        before, tableOf(LoadRangedLogs(args, versus, versus.size(), options, definitions)), show);
    print(format == "csv" ? ShownCellsCsv(cells, show.statistic)
                          : ShownCellsText(cells, show.statistic));
}

}  // namespace grafolux::cli
