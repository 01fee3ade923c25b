#pragma once
#include <windows.h>

namespace kelvane {

// Everything the main window shows, in this order: the tool bar, PanelTabs
// with its six tabs and their gadgets, the popup menus, the tray menu and
// TrayIcon; then the first layout.
void BuildMainWindowContents(HWND main);

}  // namespace kelvane
