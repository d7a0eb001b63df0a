#pragma once
// The View menu's choices, kept in "Preferences.ini"; each is off until chosen, so that a window
// without them looks and behaves as it always did.

#include <string>

namespace grafolux {

struct ViewPreferences {
    // An item locked while it has the load colour takes a colour of its own.
    bool distinctLockColours = false;
    // Another log opened keeps the current item, locks, colours and fills by item name.
    bool keepItemsAcrossLogs = false;
    // Ctrl + mouse wheel zooms the graph about the sample under the mouse.
    bool wheelZoom = false;
    bool operator==(const ViewPreferences&) const = default;
};

// An absent or unreadable file, or a key that is not "true", gives the choice off.
ViewPreferences LoadViewPreferences(const std::string& path);
// Replaces the file's view keys; false with `error` set when the file cannot be written.
bool SaveViewPreferences(const std::string& path, const ViewPreferences& preferences,
                         std::string* error);

}  // namespace grafolux
