#include "cli/CliArgs.h"
#include "logdata/LogLoader.h"
#include "tables/CellStats.h"
#include "tables/CellTableText.h"
#include "tables/SampleRange.h"

namespace grafolux::cli {

std::string RunTable(const CliArgs& args) {
    args.expectPositional(2);
    const std::string& kind = args.positional()[0];
    if (kind != "blm" && kind != "int") throw UsageError("table kind must be blm or int");

    LoadResult result = LoadLog(args.positional()[1], 0);
    if (const auto* error = std::get_if<LoadError>(&result)) throw RuntimeError(error->message);
    const LogData& log = std::get<LogData>(result);

    // Read like the range boxes; the table clamps them into the log.
    const auto first = args.option("--first");
    const auto last = args.option("--last");
    return CellTableText(ComputeCellTable(log, kind == "blm" ? kBlmTable : kIntTable,
                                          first ? RoundedRangeNumber(*first) : 1,
                                          last ? RoundedRangeNumber(*last) : log.lngSampleCount));
}

}  // namespace grafolux::cli
