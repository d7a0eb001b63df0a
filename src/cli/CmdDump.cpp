#include <charconv>

#include "cli/CliArgs.h"
#include "logdata/LogLoader.h"

namespace grafolux::cli {

std::string RunDump(const CliArgs& args) {
    args.expectPositional(1);
    LoadResult result = LoadLog(args.positional()[0], 0);
    if (const auto* error = std::get_if<LoadError>(&result)) throw RuntimeError(error->message);
    const LogData& log = std::get<LogData>(result);

    std::string out;
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        if (k > 1) out += '\t';
        out += log.udtItems[k].strName;
    }
    out += '\n';
    char buffer[32];
    for (int32_t s = 1; s <= log.lngSampleCount; ++s) {
        for (int32_t k = 1; k <= log.lngItemCount; ++k) {
            if (k > 1) out += '\t';
            // Shortest text that reads back to the same double.
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, log.sample(k, s)).ptr;
            out.append(buffer, end);
        }
        out += '\n';
    }
    return out;
}

}  // namespace grafolux::cli
