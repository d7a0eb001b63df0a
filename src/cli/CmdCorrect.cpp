#include "cli/CliArgs.h"
#include "correct/BitOrderCorrection.h"

namespace grafolux::cli {

std::string RunCorrect(const CliArgs& args) {
    args.expectPositional(1);
    const CorrectionResult result = CorrectLogFile(args.positional()[0]);
    if (!result.ok) throw RuntimeError(result.error);
    return result.outputPath + "\n";
}

}  // namespace grafolux::cli
