#pragma once
#include <string>

#include "settings/preferences.h"

namespace kelvane {

// DataFolder + "Kelvane.prefs".
std::wstring PreferencesPath();

// At start-up, once the main window exists and before its tool bar does:
// reads the file, if there is one, and pins the window as it says. (Wine
// drops the topmost state of a window that already owns a popup, such as
// the tool bar's tooltip, when no other topmost window is on the desktop.)
void ReadPreferencesAtStart();

// After the tool bar exists: takes the record read above and applies size,
// position, the pin toggle, start tab and default folders. Without a file
// nothing at all changes.
void LoadPreferencesAtStart();

// Writes `prefs` as the file, keeping the one it replaces as its last good copy.
bool WritePreferencesFile(const Preferences& prefs);

// Writes the file (taking size and position from the window where the user
// asked to keep them). False when the file could not be written.
bool SavePreferences();

}  // namespace kelvane
