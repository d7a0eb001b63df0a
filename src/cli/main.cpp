// grafolux-cli: the log viewer's core without a window.
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>

#include "Version.h"
#include "cli/CliArgs.h"
#include "logdata/TextFields.h"
#include "settings/CachePreferences.h"
#include "settings/PreferencesFile.h"
#include "settings/SettingsFile.h"

namespace {

using grafolux::cli::CliArgs;
using grafolux::cli::Print;

struct Command {
    const char* usage;  // the arguments after the command name
    const char* what;   // lines without their indent
    std::vector<std::string> options;
    std::function<void(const CliArgs&, const Print&)> run;
};

const std::map<std::string, Command>& Commands() {
    using namespace grafolux::cli;
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
          "with --partial, the cells' sums are written to OUT for merge instead",
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
          "written to OUT for merge instead",
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
          "partial is written to OUT instead",
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
          "         [--first N] [--last N] [--where COND]... [--define DEF]... [--include LOG]...",
          "save a view as the window draws it, as GIF or PNG by OUT's extension; the\n"
          "graph with --versus has LOGB's curves dashed over LOG's, LOGB's sample S at\n"
          "LOG's sample S + K; the scatter plot has a point per sample of LOG (in the\n"
          "range) and of each --include LOG (whole) that passes every --where (COND as\n"
          "for table) and has a value of both items, a pixel's shade the samples on it or\n"
          "the mean of the --colour item over them",
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

// Every line of TEXT after INDENT, so that one description serves both help texts.
std::string Indented(const std::string& text, const std::string& indent) {
    std::string lines = indent;
    for (const char c : text) {
        lines += c;
        if (c == '\n') lines += indent;
    }
    return lines + "\n";
}

std::string CommandUsage(const std::string& name, const Command& command) {
    std::string text =
        "usage: grafolux-cli " + name + " " + command.usage + "\n" + Indented(command.what, "  ");
    if (std::find(command.options.begin(), command.options.end(), "--define") !=
        command.options.end())
        text += "  DEF: NAME=EXPR, a computed item (see grafolux-cli --help)\n";
    return text;
}

std::string Usage() {
    std::string text = "usage: grafolux-cli COMMAND ...\n";
    for (const auto& [name, command] : Commands())
        text += "  " + name + " " + command.usage + "\n" + Indented(command.what, "      ");
    text +=
        "  COMMAND --help  that command's usage\n"
        "  COMMAND ... --no-cache\n"
        "                  parse each log, neither reading nor writing the reopen cache\n"
        "                  (also before COMMAND)\n"
        "  --help          this text\n"
        "  --version       the version\n"
        "Exit status: 0 success, 1 runtime error, 2 usage error.\n"
        "A DEF is NAME=EXPR: a computed item that later DEFs, --where, --when, --item,\n"
        "--lock and --fill may name. EXPR: items (SENSOR:MAP, \"Item 2\"), offsets\n"
        "(SENSOR:MAP[-1]), numbers, + - * /, = != < <= > >=, and or not, abs sqrt min max if;\n"
        "a value that is not a finite number is missing.\n";
    return text;
}

bool AsksForHelp(const std::vector<std::string>& words) {
    return std::any_of(words.begin(), words.end(),
                       [](const std::string& w) { return w == "--help" || w == "-h"; });
}

// Qt's own diagnostics (platform plugins, the runtime folder, the file engine) would add
// lines to a command's one-line error; GRAFOLUX_QT_MESSAGES=1 lets them through.
void SilenceQtUnlessAsked() {
    if (qEnvironmentVariableIntValue("GRAFOLUX_QT_MESSAGES") == 0)
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// The window's limit for the cache's folder, unless GRAFOLUX_CACHE_LIMIT says otherwise.
grafolux::CacheChoices ChosenCache(bool bypass) {
    using namespace grafolux;
    const std::string preferences = PreferencesFilePath(SettingsFileToRead());
    return CacheChoicesFor(bypass, LoadCachePreferences(preferences).limit);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace grafolux::cli;
    SilenceQtUnlessAsked();
    std::vector<std::string> words(argv + 1, argv + argc);
    const bool noCache = std::erase(words, "--no-cache") > 0;  // wherever it is given
    if (words.empty()) {
        std::cerr << Usage();
        return 2;
    }
    if (words[0] == "--help" || words[0] == "-h") {
        std::cout << Usage();
        return 0;
    }
    if (words[0] == "--version") {
        std::cout << "grafolux-cli " << grafolux::kVersionText << "\n";
        return 0;
    }
    const auto command = Commands().find(words[0]);
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    try {
        if (command == Commands().end()) throw UsageError("no such command: " + words[0]);
        if (AsksForHelp(rest)) {
            std::cout << CommandUsage(command->first, command->second);
            return 0;
        }
        command->second.run(
            CliArgs(rest, command->second.options, ChosenCache(noCache)),
            [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); });
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            throw RuntimeError("cannot write standard output");
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "grafolux-cli: " << grafolux::OnOneLine(error.what()) << "\n";
        if (error.withUsage)
            std::cerr << (command == Commands().end()
                              ? Usage()
                              : CommandUsage(command->first, command->second));
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "grafolux-cli: " << grafolux::OnOneLine(error.what()) << "\n";
        return 1;
    }
}
