#include "cli/CliArgs.h"

namespace grafolux::cli {

std::string RunCorrect(const CliArgs&) { throw RuntimeError("not available yet"); }

}  // namespace grafolux::cli
