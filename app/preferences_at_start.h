#pragma once
// The preferences file read at start-up and applied to the main window.

namespace kelvane {

// At start-up, once the main window exists and before its gadgets do:
// reads the file, if there is one, and pins, places and sizes the window as
// it says. (Wine drops the topmost state of a window that already owns a
// popup, such as the tool bar's tooltip, when no other topmost window is on
// the desktop; the gadgets are laid out once, at the stored size.)
void ReadPreferencesAtStart();

// After the tool bar exists: takes the record read above and applies the
// pin toggle and start tab. Without a file nothing at all changes.
void LoadPreferencesAtStart();

// Once the window shows (the shell's folders load the shell's DLL, slow to
// load): the documents folder, and the folders the add dialogs open in, as
// the file read above says or, without one, the program files and the
// documents folders.
void SettleStartFolders();

}  // namespace kelvane
