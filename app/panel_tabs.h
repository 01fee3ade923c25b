#pragma once
// PanelTabs (gadget 0) and the gadgets of its six tabs. Each tab's gadgets
// live on a page window of their own, a child of the tab control covering
// its display area; a page passes its gadgets' WM_COMMAND and WM_NOTIFY on
// to the main window unchanged, so the main window sees the gadget numbers.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "toolkit/image_set_win.h"

namespace kelvane {

inline constexpr int kTabCount = 6;

// Builds the tab control at x 0, y 30 over the rest of the main window's
// inner area and its six tabs. A page and its gadgets are made and
// registered when it is first shown, or by BuildNextPage or BuildAllPages;
// the tooltips of tabs shown without caption, by GivePanelTabsToolTips.
void BuildPanelTabs(HWND main, ImageSet::List prepared = {});
// The tabs' images for a window at `dpi`, made ahead on any thread; the tabs
// take them when they have the size they want.
ImageSet::List MakePanelTabImages(const ImageSet& images, UINT dpi);
void GivePanelTabsToolTips();
// Builds the next part of the first page not yet complete; false when all
// were complete already.
bool BuildNextPage();
void BuildAllPages();
// Called after a page's gadgets are made (until the tabs are built again).
using PageBuiltHook = void (*)(int index);
void SetPageBuiltHook(PageBuiltHook hook);

// Shows a tab's page as a click on its tab would. Out-of-range indexes are ignored.
void SelectTab(int index);
int CurrentTab();  // -1 before the tabs exist
HWND TabPage(int index);  // null when out of range or not built
bool PageComplete(int index);  // every gadget of the page is made

// Resizes PanelTabs (pixels) and puts every page over its new display area.
void ResizePanelTabs(int width, int height);
// Inner size of a tab page in pixels (the size of the full-page lists).
void GetPageInnerSize(int* width, int* height);

// The main window passes every WM_NOTIFY here first: a click on a tab
// (TCN_SELCHANGE of PanelTabs) shows that tab's page. True when handled.
bool HandlePanelTabsNotify(const NMHDR* header);

// Keyboard path between the tabs, for the message loop before
// IsDialogMessageW: Ctrl+Tab and Ctrl+Page Down show the next tab,
// Ctrl+Shift+Tab and Ctrl+Page Up the previous one. True when handled.
bool HandlePanelTabsKey(const MSG& msg);

// Background of the pages (the dark look changes it); a system colour at start.
void SetPanelPageColor(COLORREF colour);



}  // namespace kelvane
