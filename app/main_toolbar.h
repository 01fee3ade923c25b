#pragma once
#include <windows.h>

#include "toolkit/image_set_win.h"

namespace kelvane {

// Builds MainToolBar (gadget 5) at the top of the main window: eleven image
// buttons whose ids are their command numbers, so a click arrives at the main
// window as WM_COMMAND with that number. Returns null (and the program goes
// on without a tool bar) when it cannot be made. Takes its images from
// `prepared` when they have the size it wants, else makes them.
HWND BuildMainToolBar(HWND main, ImageSet::List prepared = {});
// The tool bar's images for a window at `dpi`, made ahead on any thread.
ImageSet::List MakeMainToolBarImages(const ImageSet& images, UINT dpi);
// The buttons' tooltips, from the catalog: after the window shows, nobody
// pointing at a button before.
void GiveMainToolBarToolTips();

// The pin toggle (CmdEpingler): down means the window stays on top.
bool PinToggleDown();
void SetPinToggle(bool down);

}  // namespace kelvane
