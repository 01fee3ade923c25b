#pragma once
// The global hotkey of the quick-open box, registered for the main window
// from the preferences (Ctrl+Alt+K unless the user chose another).
#include <windows.h>

#include <string>

namespace kelvane {

inline constexpr int kQuickHotKeyId = 1;  // WM_HOTKEY's wParam

// (Re)registers the hotkey of the preferences record; any previous one is
// released first. A hotkey another program holds is told once per hotkey in
// plain words, and the program goes on without it. True when registered (or
// when the user chose none).
bool RegisterQuickHotKey();
// The text of the message for a hotkey that is taken.
std::wstring HotKeyTakenText(const std::wstring& hotKeyText);

}  // namespace kelvane
