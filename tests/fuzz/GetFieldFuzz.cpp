// GetField on any line and separator: field i is exactly the text between separator i - 1 and
// separator i, found left to right without overlap and without regard to letter case; and
// FindInText finds the first occurrence, in either case mode.
#include <algorithm>
#include <cctype>

#include "FuzzKit.h"
#include "logdata/TextFields.h"

using namespace grafolux;

namespace {

bool SameByte(char a, char b, bool ignoreCase) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return ignoreCase ? lower(a) == lower(b) : a == b;
}

size_t Search(std::string_view line, size_t from, std::string_view separator, bool ignoreCase) {
    const auto found =
        std::search(line.begin() + static_cast<std::ptrdiff_t>(from), line.end(), separator.begin(),
                    separator.end(), [&](char a, char b) { return SameByte(a, b, ignoreCase); });
    return found == line.end() ? std::string_view::npos : static_cast<size_t>(found - line.begin());
}

void CheckFields(std::string_view line, std::string_view separator) {
    FUZZ_CHECK(GetField(line, 0, separator).empty());
    FUZZ_CHECK(GetField(line, -1, separator).empty());
    size_t start = 0;
    int32_t index = 1;
    for (;; ++index) {
        const size_t found =
            separator.empty() ? std::string_view::npos : Search(line, start, separator, true);
        std::string_view expected = line.substr(start, std::min(found, line.size()) - start);
        if (expected.ends_with("\r\n")) expected.remove_suffix(2);
        const std::string_view field = GetField(line, index, separator);
        FUZZ_CHECK(field == expected);
        FUZZ_CHECK(field.empty() || (field.data() >= line.data() &&
                                     field.data() + field.size() <= line.data() + line.size()));
        if (found == std::string_view::npos) break;
        start = found + separator.size();
    }
    FUZZ_CHECK(GetField(line, index + 1, separator).empty());
}

void CheckSearch(std::string_view text, std::string_view searched, bool ignoreCase) {
    FUZZ_CHECK(FindInText(text, searched, 0, ignoreCase) ==
               (searched.empty() ? std::string_view::npos : Search(text, 0, searched, ignoreCase)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const bool ignoreCase = input.Byte() % 2 == 0;
    const std::string_view separator = input.Until('\0');
    const std::string_view line = input.Rest();
    CheckFields(line, separator);
    CheckSearch(line, separator, ignoreCase);
    return 0;
}
