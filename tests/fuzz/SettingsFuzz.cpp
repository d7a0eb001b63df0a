// The settings reader on any text: what it reads, written and read back, must agree; the
// first entry of a key wins; a restored window ends inside the screen.
#include <algorithm>
#include <cstring>
#include <string>

#include "FuzzKit.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsText.h"
#include "settings/WindowPlacement.h"

using namespace grafolux;

namespace {

bool operator==(const WindowState& a, const WindowState& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.state == b.state;
}

void CheckRoundTrip(const Settings& read) {
    for (const std::string& entry : read.strRecent) {
        FUZZ_CHECK(!entry.empty() && entry.find_first_of("\r\n#") == std::string::npos);
        FUZZ_CHECK(entry == TrimWhite(entry));
    }
    WindowState window = read.window.value_or(WindowState{});
    const std::string written = FormatSettings(read.strRecent, window);
    const Settings again = ParseSettings(written);
    FUZZ_CHECK(again.strRecent == read.strRecent);
    window.state = window.state == 2 ? 2 : 0;
    FUZZ_CHECK(again.window.has_value() && *again.window == window);
    FUZZ_CHECK(FormatSettings(again.strRecent, *again.window) == written);
}

void CheckFirstEntryWins(std::string_view text, const std::string& key) {
    std::string value;
    if (!GetSetting(text, key, value)) return;
    std::string other;
    FUZZ_CHECK(GetSetting(std::string(text) + "\r\n" + key + "=later\r\n", key, other));
    FUZZ_CHECK(other == value);
    std::string upper = key;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    FUZZ_CHECK(GetSetting(text, upper, other) && other == value);
}

void CheckPlacement(WindowState window, int32_t screenWidth, int32_t screenHeight) {
    const WindowState placed = ClampToScreen(window, screenWidth, screenHeight);
    FUZZ_CHECK(placed.left >= 0 && placed.top >= 0);
    FUZZ_CHECK(placed.width == window.width && placed.height == window.height);
    if (window.width >= 0 && window.width <= screenWidth)
        FUZZ_CHECK(int64_t{placed.left} + window.width <= screenWidth);
    if (window.height >= 0 && window.height <= screenHeight)
        FUZZ_CHECK(int64_t{placed.top} + window.height <= screenHeight);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    int32_t screen[2] = {};
    for (int32_t& side : screen)
        for (int byte = 0; byte < 3; ++byte) side = side * 256 + input.Byte();
    const std::string key(input.Until('\0'));
    const std::string_view text = input.Rest();

    const Settings read = ParseSettings(text);
    CheckRoundTrip(read);
    CheckFirstEntryWins(text, key);
    if (read.window) CheckPlacement(*read.window, screen[0], screen[1]);
    return 0;
}
