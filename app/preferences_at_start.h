#pragma once
// The preferences file read at start-up and applied to the main window.

namespace kelvane {

// At start-up, once the main window exists and before its tool bar does:
// reads the file, if there is one, and pins the window as it says. (Wine
// drops the topmost state of a window that already owns a popup, such as
// the tool bar's tooltip, when no other topmost window is on the desktop.)
void ReadPreferencesAtStart();

// After the tool bar exists: takes the record read above and applies size,
// position, the pin toggle, start tab and default folders. Without a file
// nothing at all changes.
void LoadPreferencesAtStart();

}  // namespace kelvane
