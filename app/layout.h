#pragma once
#include <windows.h>

namespace kelvane {

// The resize layout: records the inner size in the preferences, fits PanelTabs and the tool
// bar to the window, sizes the lists to the tab page and keeps ExplorerPath
// at the bottom of the explorer tab, then repaints at once.
void LayoutMainWindow(HWND main);

}  // namespace kelvane
