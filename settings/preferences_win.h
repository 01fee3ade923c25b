#pragma once
#include <string>

#include "settings/preferences.h"
#include "settings/program_context_win.h"

namespace kelvane {

// DataFolder + "Kelvane.prefs".
std::wstring PreferencesPath(const ProgramContext& context);

// Writes `prefs` as the file, keeping the one it replaces as its last good copy.
bool WritePreferencesFile(const ProgramContext& context, const Preferences& prefs);

// Writes the file (taking size and position from the window where the user
// asked to keep them). False when the file could not be written.
bool SavePreferences(ProgramContext& context);

}  // namespace kelvane
