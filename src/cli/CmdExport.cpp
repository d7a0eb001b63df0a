#include "cli/CliArgs.h"

namespace grafolux::cli {

std::string RunExport(const CliArgs&) { throw RuntimeError("not available yet"); }

}  // namespace grafolux::cli
