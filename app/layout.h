#pragma once
#include <windows.h>

namespace kelvane {

// The resize layout: records the inner size in the preferences, fits PanelTabs and the tool
// bar to the window, sizes the lists to the tab page and keeps ExplorerPath
// at the bottom of the explorer tab, then repaints at once.
void LayoutMainWindow(HWND main);

// True when the last layout was made at the window's present inner size and
// DPI: a WM_SIZE that changes nothing (the one that comes as the window is
// first shown) need not lay out and repaint everything again.
bool MainLayoutCurrent(HWND main);

}  // namespace kelvane
