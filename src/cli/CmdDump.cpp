#include <algorithm>
#include <vector>

#include "cli/CliArgs.h"
#include "logdata/TextFields.h"

namespace grafolux::cli {

void RunDump(const CliArgs& args, const Print& print) {
    args.expectPositional(1);
    const std::vector<Definition> definitions = DefineArgs(args, "dump");
    const std::string& path = args.positional()[0];
    LogData log = LoadLogOrThrow(args, path);
    AttachDefinitions(log, path, definitions);

    std::string out;
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        if (k > 1) out += '\t';
        out += log.udtItems[k].strName;
    }
    out += '\n';
    // Printed in slices: a large log's text need not be held whole. The items' values are read
    // for a few samples at a time, about kValues of them.
    constexpr size_t kSlice = 1 << 20, kValues = 1 << 16;
    const auto items = static_cast<size_t>(log.lngItemCount);
    const auto rows = static_cast<int32_t>(std::clamp<size_t>(kValues / items, 1, kValues));
    std::vector<double> values(items * static_cast<size_t>(rows));
    for (int32_t first = 0; first < log.lngSampleCount; first += rows) {
        const int32_t n = std::min(rows, log.lngSampleCount - first);
        for (size_t k = 0; k < items; ++k)
            log.column(static_cast<int32_t>(k) + 1).Read(first, n, &values[k * rows]);
        for (int32_t s = 0; s < n; ++s) {
            for (size_t k = 0; k < items; ++k) {
                if (k > 0) out += '\t';
                const double value = values[k * rows + static_cast<size_t>(s)];
                if (value == value) AppendShortestText(out, value);  // a missing value: empty
            }
            out += '\n';
            if (out.size() >= kSlice) {
                print(out);
                out.clear();
            }
        }
    }
    print(out);
}

}  // namespace grafolux::cli
