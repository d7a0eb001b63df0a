#pragma once
// Argument handling shared by the grafolux-cli commands.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "formula/Definitions.h"
#include "logcache/CachedLoad.h"
#include "logdata/LogLoader.h"
#include "logdata/LogModel.h"
#include "tables/CellStats.h"
#include "tables/PooledTable.h"
#include "tables/SampleFilter.h"

namespace grafolux::cli {

// Exit 2 with the usage text, or with the one line alone for a bad option value, which
// the line explains.
struct UsageError : std::runtime_error {
    explicit UsageError(const std::string& what, bool withUsage = true)
        : std::runtime_error(what), withUsage(withUsage) {}
    bool withUsage;
};
// Exit 1 with "grafolux-cli: <what>".
struct RuntimeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The words after the command name. Every option takes a value, so "--first -3" is the
// option --first with the value -3; --versus takes every word up to the next option, each
// as one value.
class CliArgs {
public:
    CliArgs(std::vector<std::string> words, const std::vector<std::string>& knownOptions,
            CacheChoices cache = {false, 0, {}});

    const std::vector<std::string>& positional() const { return positional_; }
    // The positional words must number exactly `count`.
    void expectPositional(size_t count) const;
    std::optional<std::string> option(const std::string& name) const;  // the last given
    std::vector<std::string> options(const std::string& name) const;   // every one, in order
    // How logs are opened: through the reopen cache unless --no-cache was given.
    const CacheChoices& cache() const { return cache_; }

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> options_;
    CacheChoices cache_;
};

// A bad value of an option of `command`: one line that says what is wrong and where to look.
UsageError BadValue(const std::string& command, const std::string& what);

// The table the first word names: blm or int, else a usage error.
TableKind TableKindArg(const CliArgs& args);
// --first and --last of `log` (by default its whole range), read like the range boxes.
std::pair<int32_t, int32_t> SampleRangeArgs(const CliArgs& args, const LogData& log);

// The logs whose samples a table pools: the positional words from `firstLog` on, each in its
// --first/--last range (its own sample numbers), then every --include LOG, whole. Loaded side
// by side keeping `options.items`, with the definitions attached; one that cannot be loaded, or
// cannot compute a definition, is a RuntimeError.
struct PooledLogs {
    std::vector<std::string> paths;  // in the order pooled
    std::vector<LogData> logs;
    std::vector<std::pair<int32_t, int32_t>> ranges;

    std::vector<TableSource> Sources() const;  // pointing into `logs`
};
PooledLogs LoadPooledLogs(const CliArgs& args, size_t firstLog, const LoadOptions& options,
                          std::span<const Definition> definitions);
// The same for `paths`, the first `ranged` of them in their --first/--last range.
PooledLogs LoadRangedLogs(const CliArgs& args, std::vector<std::string> paths, size_t ranged,
                          const LoadOptions& options, std::span<const Definition> definitions);

// The conditions of every --where, in order; a usage error names one that does not read.
std::vector<SampleCondition> WhereConditions(const CliArgs& args, const std::string& command);
// A RuntimeError when a condition names an item that the log at `path` lacks (`missing` as
// SampleFilter::missing() gives it).
void CheckConditionItems(const CliArgs& args, const std::string& path,
                         const std::vector<size_t>& missing);

// The definitions of every --define, in order; a usage error names the first fault.
std::vector<Definition> DefineArgs(const CliArgs& args, const std::string& command);
// The items a log must keep for `names` and for every definition: those the names read through
// the definitions, and each definition's own inputs.
std::vector<std::string> ItemsToKeep(std::span<const Definition> definitions,
                                     std::vector<std::string> names);
// Attaches every definition to the log at `path`, as items in `colour`; a RuntimeError names
// the log and the first one that is unavailable there.
void AttachDefinitions(LogData& log, const std::string& path,
                       std::span<const Definition> definitions, Colour colour = 0);

// The loaded log, or a RuntimeError saying why it could not be loaded.
LogData LoadLogOrThrow(const CliArgs& args, const std::string& path, Colour itemColour = 0,
                       const LoadOptions& options = {});

// Where a command prints. Commands throw on failure and print only once nothing can fail any
// more, so that a failure leaves standard output empty.
using Print = std::function<void(std::string_view)>;

void RunDump(const CliArgs& args, const Print& print);
void RunTable(const CliArgs& args, const Print& print);
void RunCorrect(const CliArgs& args, const Print& print);
void RunGif(const CliArgs& args, const Print& print);
void RunExport(const CliArgs& args, const Print& print);
void RunCells(const CliArgs& args, const Print& print);
void RunFind(const CliArgs& args, const Print& print);
void RunRetune(const CliArgs& args, const Print& print);
void RunMerge(const CliArgs& args, const Print& print);
void RunHistogram(const CliArgs& args, const Print& print);

}  // namespace grafolux::cli
