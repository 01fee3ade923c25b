#pragma once
#include <windows.h>

namespace kelvane {

// The main window's inner size in window units, as of the last layout.
// The preferences take them from here until they keep their own copy.
extern int g_windowWidth;
extern int g_windowHeight;

// The resize layout: records the inner size, fits PanelTabs and the tool
// bar to the window, sizes the lists to the tab page and keeps ExplorerPath
// at the bottom of the explorer tab, then repaints at once.
void LayoutMainWindow(HWND main);

}  // namespace kelvane
