#include "correct/BitGroups.h"

#include <algorithm>
#include <vector>

#include "logdata/LogFormat.h"

namespace grafolux {

namespace {

// In the order they are processed; each is matched against the start of a name, case kept.
constexpr std::string_view kGroupPrefixes[] = {
    "MW2:", "MWAF1:", "MCU1IO:", "MCU2IO:", "MALFFLG1:", "MALFFLG2:", "MALFFLG3:"};
constexpr size_t kGroupSize = 8;

}  // namespace

HeaderCorrection ReverseBitGroups(std::string_view header) {
    std::vector<std::string_view> names = HeaderNames(header);
    // What follows the last name (the first empty field and the rest) is kept as it was.
    const size_t namesEnd =
        names.empty()
            ? 0
            : static_cast<size_t>(names.back().data() - header.data()) + names.back().size();

    for (std::string_view prefix : kGroupPrefixes) {
        const auto first = std::find_if(names.begin(), names.end(), [&](std::string_view name) {
            return name.starts_with(prefix);
        });
        if (first == names.end()) continue;
        const size_t index = static_cast<size_t>(first - names.begin());
        if (names.size() - index < kGroupSize) {
            HeaderCorrection failure;
            failure.error = "the " + std::string(prefix) + " group starts at name " +
                            std::to_string(index + 1) + " of " + std::to_string(names.size()) +
                            ", too near the end to hold eight names";
            return failure;
        }
        std::reverse(first, first + kGroupSize);
    }

    HeaderCorrection result;
    result.ok = true;
    result.header.reserve(header.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) result.header += '\t';
        result.header += names[i];
    }
    result.header += header.substr(namesEnd);
    return result;
}

}  // namespace grafolux
