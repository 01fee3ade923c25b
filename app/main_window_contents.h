#pragma once
#include <windows.h>

namespace kelvane {

// What the first screen needs, in this order: the tool bar, PanelTabs with
// its six tabs and the first tab's gadgets, the popup menus and the tray
// menu; then the first layout.
void BuildMainWindowContents(HWND main);

// The rest, once the window is shown: the gadgets of the other tabs and
// TrayIcon; then the layout again.
void CompleteMainWindowContents(HWND main);

}  // namespace kelvane
