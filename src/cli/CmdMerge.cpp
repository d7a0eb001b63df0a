#include "cli/CliArgs.h"
#include "cli/CliResults.h"
#include "partial/PartialFile.h"

namespace grafolux::cli {

void RunMerge(const CliArgs& args, const Print& print) {
    if (args.positional().empty()) throw UsageError("wrong number of arguments");
    const auto merge = [&] {
        auto read = MergePartialFiles(args.positional());
        if (const auto* fault = std::get_if<std::string>(&read)) throw RuntimeError(*fault);
        return std::get<Partial>(std::move(read));
    };
    MergedOutput(args, merge, print);
}

}  // namespace grafolux::cli
