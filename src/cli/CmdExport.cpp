#include "cli/CliArgs.h"

namespace grafolux::cli {

void RunExport(const CliArgs&, const Print&) { throw RuntimeError("not available yet"); }

}  // namespace grafolux::cli
