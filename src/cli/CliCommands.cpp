#include "cli/CliCommands.h"

#include "logdata/TextFields.h"
#include "settings/CachePreferences.h"
#include "settings/PreferencesFile.h"
#include "settings/SettingsFile.h"

namespace grafolux::cli {

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"dump",
         {"LOG [--define DEF]...",
          "items and samples, tab-separated; each DEF adds a column, empty where its\n"
          "value is missing",
          {"--define"},
          RunDump}},
        {"table",
         {"blm|int LOG [LOG...] [--include LOG]... [--versus LOG...] [--first N]\n"
          "         [--last N] [--show mean|count|min|max|sd] [--min-count K]\n"
          "         [--where COND]... [--format text|csv] [--define DEF]... [--partial OUT]",
          "cell statistics per rpm x map cell, pooled over the logs; --first and --last\n"
          "apply to each LOG's own samples, a log given by --include counts whole; COND is\n"
          "NAME OP NUMBER, OP one of = != < <= > >=, and every --where must hold for a\n"
          "sample to count; a sample whose value there is missing fails it; --versus takes\n"
          "the logs up to the next option and prints each cell's statistic of those logs\n"
          "(pooled) minus that of the others, N/A where either is N/A (a count always);\n"
          "with --partial, the cells' sums are written to OUT for merge instead (- prints\n"
          "them)",
          {"--include", "--versus", "--first", "--last", "--show", "--min-count", "--where",
           "--format", "--define", "--partial"},
          RunTable}},
        {"cells",
         {"blm|int LOG --row RPM --column MAP [--first N] [--last N]\n"
          "         [--where COND]... [--define DEF]...",
          "runs of the samples in a cell, FIRST<TAB>LAST a line; RPM and MAP are the\n"
          "table's row and column labels, COND as for table",
          {"--row", "--column", "--first", "--last", "--where", "--define"},
          RunCells}},
        {"find",
         {"LOG --when EXPR [--define DEF]... [--first N] [--last N]",
          "runs of the samples where EXPR is present and not 0, FIRST<TAB>LAST a line",
          {"--when", "--define", "--first", "--last"},
          RunFind}},
        {"retune",
         {"LOG [LOG...] --map MAP [--include LOG]... [--first N] [--last N]\n"
          "         [--factor NAME] [--where COND]... [--cells bilinear|nearest]\n"
          "         [--min-weight W] [--max-change P] [--show map|change|weight|factor]\n"
          "         [--format text|csv] [--define DEF]... [--partial OUT]",
          "the fuel map MAP (TAB or comma separated; - reads standard input) corrected\n"
          "by the fuel factor of the logs' samples (by default SENSOR:BLM x SENSOR:INT /\n"
          "16384, else the item NAME) spread over its cells, bilinear (the default) or to\n"
          "the nearest; a cell changes only with a weight of at least W (default 5) and a\n"
          "factor above 0, by at most P percent (default 10); --show prints the new map\n"
          "(the default), the change in percent, the weight or the factor of each cell;\n"
          "the logs, ranges and COND as for table; with --partial, the cells' sums are\n"
          "written to OUT for merge instead (- prints them)",
          {"--map", "--include", "--first", "--last", "--factor", "--where", "--cells",
           "--min-weight", "--max-change", "--show", "--format", "--define", "--partial"},
          RunRetune}},
        {"merge",
         {"PARTIAL... [--show STATISTIC|FIGURE] [--min-count K] [--min-weight W]\n"
          "         [--max-change P] [--format text|csv] [--partial OUT]",
          "what table or retune prints over all the logs of the partials they wrote\n"
          "(with --partial), in any order and however the logs were split; each option\n"
          "reads as for that command; the partials must come from the same command with\n"
          "the same table or map, factor, cells, COND and DEF; with --partial, the merged\n"
          "partial is written to OUT instead (- prints it)",
          {"--show", "--min-count", "--min-weight", "--max-change", "--format", "--partial"},
          RunMerge}},
        {"correct", {"LOG", "write LOG's bit-order corrected copy", {}, RunCorrect}},
        {"gif",
         {"IN.ppm OUT.gif [--transparent RRGGBB]",
          "encode a binary PPM as GIF",
          {"--transparent"},
          RunGif}},
        {"export",
         {"graph|blm|int LOG OUT.gif|OUT.png [--item N|NAME] [--lock NAME]...\n"
          "         [--fill NAME]... [--zoom Z] [--size WxH] [--first N] [--last N]\n"
          "         [--define DEF]... [--versus LOGB [--offset K]]\n"
          "       scatter LOG OUT.gif|OUT.png --x ITEM --y ITEM [--colour ITEM] [--size WxH]\n"
          "         [--first N] [--last N] [--where COND]... [--define DEF]... [--include LOG]...\n"
          "         [--versus LOGB]",
          "save a view as the window draws it, as GIF or PNG by OUT's extension; the\n"
          "graph with --versus has LOGB's curves dashed over LOG's, LOGB's sample S at\n"
          "LOG's sample S + K; the scatter plot has a point per sample of LOG (in the\n"
          "range) and of each --include LOG (whole) that passes every --where (COND as\n"
          "for table) and has a value of both items, a pixel's shade the samples on it or\n"
          "the mean of the --colour item over them; with --versus, LOGB's points (its\n"
          "samples --first to --last by its own numbers) in a red scale over LOG's",
          {"--item", "--lock", "--fill", "--zoom", "--size", "--first", "--last", "--define",
           "--versus", "--offset", "--x", "--y", "--colour", "--where", "--include"},
          RunExport}},
        {"histogram",
         {"LOG ITEM [--bins N] [--first N] [--last N] [--where COND]... [--define DEF]...\n"
          "         [--include LOG]... [--format text|csv]",
          "LOW<TAB>HIGH<TAB>COUNT for each of N equal bins (default 20) from the smallest\n"
          "to the largest value of ITEM over the samples kept as for export scatter; a\n"
          "value v goes to bin floor((v - min) / w), the last bin also holds the largest",
          {"--bins", "--first", "--last", "--where", "--define", "--include", "--format"},
          RunHistogram}},
    };
    return commands;
}

CacheChoices ChosenCache(bool bypass) {
    const std::string preferences = PreferencesFilePath(SettingsFileToRead());
    return CacheChoicesFor(bypass, LoadCachePreferences(preferences).limit);
}

CommandOutcome RunCommand(const Command& command, std::vector<std::string> words, bool noCache,
                          const Print& print) {
    try {
        command.run(CliArgs(std::move(words), command.options, ChosenCache(noCache)), print);
        return {};
    } catch (const UsageError& error) {
        return {2, OnOneLine(error.what()), error.withUsage};
    } catch (const std::exception& error) {
        return {1, OnOneLine(error.what()), false};
    }
}

}  // namespace grafolux::cli
