#pragma once
// The settings file "Grafolux.cfg": the recently-opened list and the window rectangle.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace grafolux {

// WindowState.state of a window that restores to maximized; any other value is a normal one.
constexpr int32_t kWindowMaximized = 2;

struct WindowState {
    int32_t left = 0, top = 0, width = 0, height = 0;  // twips
    int32_t state = 0;                                 // 0 normal, or kWindowMaximized
};

struct Settings {
    std::vector<std::string> strRecent;  // most recent first, as read (no limit, no dedup)
    std::optional<WindowState> window;   // when the file has "WindowState"
};

// "<folder>/Grafolux/Grafolux.cfg" in the per-user configuration folder (created when
// missing), or "Grafolux.cfg" beside the program when there is none.
std::string SettingsFilePath();
// The same without making the folder: for a program that only reads what is kept beside it.
std::string SettingsFileToRead();

Settings ParseSettings(std::string_view text);
std::string FormatSettings(const std::vector<std::string>& strRecent, const WindowState& window);

// An absent file gives empty settings.
Settings LoadSettingsFile(const std::string& path);
// Atomic: the old file stays whole when the write fails; `error` then says why.
bool SaveSettingsFile(const std::string& path, const std::vector<std::string>& strRecent,
                      const WindowState& window, std::string* error = nullptr);

}  // namespace grafolux
