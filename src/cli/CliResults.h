#pragma once
// What `table`, `retune` and `merge` print and how, read from their options: the statistic or
// figure shown, the minimum count, weight and change, text or CSV. With --partial nothing is
// printed and these options are refused.

#include <string>

#include "cli/CliArgs.h"
#include "partial/Partial.h"
#include "tables/CellDisplay.h"
#include "tables/FuelMap.h"
#include "tables/Retune.h"
#include "tables/RetuneText.h"

namespace grafolux::cli {

// --show (mean, count, min, max, sd) and --min-count.
CellShow CellShowArgs(const CliArgs& args, const std::string& command);
// --show (map, change, weight, factor).
RetuneShow RetuneShowArg(const CliArgs& args, const std::string& command);
// --min-weight and --max-change over `settings`.
RetuneSettings RetuneJudgementArgs(const CliArgs& args, const std::string& command,
                                   RetuneSettings settings = {});
// --format: whether CSV was asked for.
bool CsvFormatArg(const CliArgs& args, const std::string& command);

// A usage error when `args` has any of `options`, which `why` explains.
void RefuseOptions(const CliArgs& args, const std::string& command,
                   std::initializer_list<const char*> options, const std::string& why);

// Writes the partial to the file `out` atomically, or prints its bytes when `out` is "-".
void WritePartialTo(const std::string& out, const Partial& partial, const Print& print);

// What merge does, `args` being its own: checks the options, then prints the partial that
// `merge` gives as its command would, or with --partial writes it.
void MergedOutput(const CliArgs& args, const std::function<Partial()>& merge, const Print& print);

std::string TableOutput(const CellTable& table, const CellShow& show, bool csv);
std::string RetuneOutput(const FuelMap& map, const RetuneResult& result, RetuneShow show, bool csv);

}  // namespace grafolux::cli
