#pragma once
#include <string>

namespace kelvane {

// DataFolder + "Kelvane.prefs".
std::wstring PreferencesPath();

// At start-up, after the main window and its tool bar exist: reads the file,
// if there is one, and applies size, position, pinning, start tab and
// default folders. Without a file nothing at all changes.
void LoadPreferencesAtStart();

// Writes the file (taking size and position from the window where the user
// asked to keep them). False when the file could not be written.
bool SavePreferences();

}  // namespace kelvane
