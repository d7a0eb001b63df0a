#include "cli/CliArgs.h"
#include "logdata/TextFields.h"

namespace grafolux::cli {

void RunDump(const CliArgs& args, const Print& print) {
    args.expectPositional(1);
    const LogData log = LoadLogOrThrow(args.positional()[0]);

    std::string out;
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        if (k > 1) out += '\t';
        out += log.udtItems[k].strName;
    }
    out += '\n';
    // Printed in slices: a large log's text need not be held whole.
    constexpr size_t kSlice = 1 << 20;
    for (int32_t s = 1; s <= log.lngSampleCount; ++s) {
        for (int32_t k = 1; k <= log.lngItemCount; ++k) {
            if (k > 1) out += '\t';
            AppendShortestText(out, log.sample(k, s));
        }
        out += '\n';
        if (out.size() >= kSlice) {
            print(out);
            out.clear();
        }
    }
    print(out);
}

}  // namespace grafolux::cli
