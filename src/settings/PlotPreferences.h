#pragma once
// The scatter plot's items and the histogram's bins, kept in "Preferences.ini".

#include <cstdint>
#include <string>

namespace grafolux {

struct PlotPreferences {
    // The scatter plot's items by name; an empty colour item: none.
    std::string x, y, colour;
    int32_t bins = 20;     // the histogram's, 1 or more
    bool percent = false;  // the histogram's bars in percent of the samples
    bool operator==(const PlotPreferences&) const = default;
};

// An absent or unreadable file gives the defaults, and so does a bin count that is not a whole
// number from 1 up.
PlotPreferences LoadPlotPreferences(const std::string& path);
// Replaces the file's plot keys; false with `error` set when the file cannot be written.
bool SavePlotPreferences(const std::string& path, const PlotPreferences& preferences,
                         std::string* error);

}  // namespace grafolux
