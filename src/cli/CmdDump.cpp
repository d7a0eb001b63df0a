#include "cli/CliArgs.h"
#include "logdata/TextFields.h"

namespace grafolux::cli {

void RunDump(const CliArgs& args, const Print& print) {
    args.expectPositional(1);
    const std::vector<Definition> definitions = DefineArgs(args, "dump");
    const std::string& path = args.positional()[0];
    LogData log = LoadLogOrThrow(path);
    AttachDefinitions(log, path, definitions);

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
            const double value = log.sample(k, s);
            if (value == value) AppendShortestText(out, value);  // a missing value: empty
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
