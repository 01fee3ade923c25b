#pragma once
#include <windows.h>

namespace kelvane {

// Builds MainToolBar (gadget 5) at the top of the main window: eleven image
// buttons whose ids are their command numbers, so a click arrives at the main
// window as WM_COMMAND with that number. Returns null (and the program goes
// on without a tool bar) when it cannot be made.
HWND BuildMainToolBar(HWND main);
// The buttons' tooltips, from the catalog: after the window shows, nobody
// pointing at a button before.
void GiveMainToolBarToolTips();

// The pin toggle (CmdEpingler): down means the window stays on top.
bool PinToggleDown();
void SetPinToggle(bool down);

}  // namespace kelvane
