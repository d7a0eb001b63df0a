#include <variant>

#include "cli/CliArgs.h"
#include "tables/CellLabels.h"
#include "tables/CellSamples.h"
#include "tables/PooledTable.h"

namespace grafolux::cli {

namespace {

// The row or column whose label the option gives, as `table` prints the labels.
int Label(const CliArgs& args, const std::string& option,
          std::optional<int> (*labelled)(std::string_view), const std::string& labels) {
    const std::optional<std::string> text = args.option(option);
    if (!text) throw UsageError(option + " is needed");
    const std::optional<int> index = labelled(*text);
    if (!index) throw BadValue("cells", option + " must be one of " + labels + ", not " + *text);
    return *index;
}

}  // namespace

void RunCells(const CliArgs& args, const Print& print) {
    args.expectPositional(2);
    TableKindArg(args);  // checked only: both tables have the same cells
    const CellAddress cell{Label(args, "--row", RowLabelled, RowLabelsText()),
                           Label(args, "--column", ColumnLabelled, ColumnLabelsText())};
    const std::vector<SampleCondition> conditions = WhereConditions(args, "cells");
    const std::vector<Definition> definitions = DefineArgs(args, "cells");

    const std::string& path = args.positional()[1];
    LogData log =
        LoadLogOrThrow(args, path, 0, {ItemsToKeep(definitions, ItemsReadByTables(conditions)), 0});
    AttachDefinitions(log, path, definitions);
    // Without them every sample reads 0 there, which lies in no cell: say so instead.
    for (const char* axis : {kRpmItem, kMapItem})
        if (log.itemNamed(axis) == 0)
            throw RuntimeError(path + ": no item named " + axis + ", so no sample lies in a cell");
    const SampleFilter filter(log, conditions);
    CheckConditionItems(args, path, filter.missing());

    const auto [first, last] = SampleRangeArgs(args, log);
    const SampleMarks marks = MarkCellSamples(log, cell, first, last, filter);
    std::string out;
    for (const SampleMarks::Run& run : marks.Runs())
        out += std::to_string(run.first) + '\t' + std::to_string(run.last) + '\n';
    print(out);
}

}  // namespace grafolux::cli
