#include "cli/CliArgs.h"
#include "correct/BitOrderCorrection.h"

namespace grafolux::cli {

void RunCorrect(const CliArgs& args, const Print& print) {
    args.expectPositional(1);
    const CorrectionResult result = CorrectLogFile(args.positional()[0]);
    if (!result.ok) throw RuntimeError(result.error);
    print(result.outputPath + "\n");
}

}  // namespace grafolux::cli
