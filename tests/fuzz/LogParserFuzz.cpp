// The loader on any bytes: the table must be the one the format rules give line by line (the
// slow way, through GetField and Val), whatever the number of workers.
#include <cmath>
#include <variant>

#include "FuzzKit.h"
#include "ReferenceLines.h"
#include "logdata/LogParser.h"
#include "logdata/TextFields.h"

using namespace grafolux;

namespace {

constexpr Colour kColour = RGB(1, 2, 3);

std::vector<std::string_view> NamesByGetField(std::string_view header) {
    std::vector<std::string_view> names;
    for (int32_t k = 1;; ++k) {
        const std::string_view name = GetField(header, k, "\t");
        if (name.empty()) return names;
        names.push_back(name);
    }
}

// Item k gets the first field of what is left of the line after cutting k - 1 fields.
std::vector<double> LineValues(std::string_view rest, size_t items) {
    std::vector<double> values;
    for (size_t k = 0; k < items; ++k) {
        values.push_back(Val(GetField(rest, 1, "\t")));
        const size_t tab = rest.find('\t');
        if (tab != std::string_view::npos) rest.remove_prefix(tab + 1);
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto progress = [](int64_t done, int64_t total) {
        FUZZ_CHECK(done >= 0 && (total == 0 || done <= total));
    };
    const LoadResult single = ParseLog(bytes, kColour, progress, 1);
    // Reads of a few bytes and pieces of one block: every cut the reader can make.
    const LoadResult split = ParseLog(bytes, kColour, progress, 3, {}, {3, 1});

    const std::vector<std::string_view> lines = fuzz::ReferenceLines(bytes);
    const std::vector<std::string_view> names =
        lines.empty() ? std::vector<std::string_view>{} : NamesByGetField(lines[0]);
    if (names.empty()) {
        FUZZ_CHECK(std::holds_alternative<LoadError>(single));
        FUZZ_CHECK(std::holds_alternative<LoadError>(split));
        FUZZ_CHECK(!std::get<LoadError>(single).message.empty());
        return 0;
    }
    FUZZ_CHECK(std::holds_alternative<LogData>(single) && std::holds_alternative<LogData>(split));
    const LogData& log = std::get<LogData>(single);
    const LogData& other = std::get<LogData>(split);

    FUZZ_CHECK(log.lngItemCount == static_cast<int32_t>(names.size()));
    FUZZ_CHECK(log.lngSampleCount == static_cast<int32_t>(lines.size() - 1));
    FUZZ_CHECK(log.udtItems.size() == names.size() + 1);
    for (size_t k = 1; k <= names.size(); ++k) {
        const ItemInfo& item = log.udtItems[k];
        FUZZ_CHECK(item.strName == names[k - 1]);
        FUZZ_CHECK(item.colour == kColour && !item.blnLocked && !item.blnFilled);
    }
    for (int32_t s = 1; s <= log.lngSampleCount; ++s) {
        const std::vector<double> values = LineValues(lines[static_cast<size_t>(s)], names.size());
        for (int32_t k = 1; k <= log.lngItemCount; ++k) {
            FUZZ_CHECK(std::isfinite(log.sample(k, s)));
            FUZZ_CHECK(fuzz::SameBits(log.sample(k, s), values[static_cast<size_t>(k - 1)]));
        }
    }
    FUZZ_CHECK(other.lngSampleCount == log.lngSampleCount);
    for (int32_t k = 1; k <= log.lngItemCount; ++k) {
        const WholeColumn a = log.wholeColumn(k), b = other.wholeColumn(k);
        FUZZ_CHECK(a->size() == static_cast<size_t>(log.lngSampleCount));
        FUZZ_CHECK(std::equal(a->begin(), a->end(), b->begin(), b->end(), fuzz::SameBits));
    }
    return 0;
}
