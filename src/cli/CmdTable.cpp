#include "cli/CliArgs.h"
#include "tables/CellStats.h"
#include "tables/CellTableText.h"
#include "views/SampleRange.h"

namespace grafolux::cli {

void RunTable(const CliArgs& args, const Print& print) {
    args.expectPositional(2);
    const std::string& kind = args.positional()[0];
    if (kind != "blm" && kind != "int") throw UsageError("table kind must be blm or int");

    const LogData log = LoadLogOrThrow(args.positional()[1]);

    // Read like the range boxes; the table clamps them into the log.
    const auto first = args.option("--first");
    const auto last = args.option("--last");
    print(CellTableText(ComputeCellTable(log, kind == "blm" ? TableKind::Blm : TableKind::Int,
                                         first ? RoundedRangeNumber(*first) : 1,
                                         last ? RoundedRangeNumber(*last) : log.lngSampleCount)));
}

}  // namespace grafolux::cli
