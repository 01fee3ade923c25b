#pragma once
// Window procedures put in front of a window's own, like SetWindowSubclass,
// but found again per message in a table of this process instead of a window
// property. Under Wine each property lookup is a wineserver round trip, on
// every message the window gets: a list view subclassed that way took 15
// times longer to take in 20,000 rows. User-interface thread only.
// toolkit/subclass_win.h holds one of them for the life of an object.
#include <windows.h>

namespace kelvane {

using LightSubclassProc = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data);

// Puts `proc` in front of the window's procedure (and of the light
// subclasses added before it), with `data` passed to every call. False when
// the window is gone or `proc` is there already.
bool AddLightSubclass(HWND window, LightSubclassProc proc, void* data);
// Takes `proc` (added with `data`) out of the window's chain, safely even
// from inside a message it is handling; the window's own procedure comes
// back when no light subclass is left and nobody subclassed on top since.
// False when it was not there.
bool RemoveLightSubclass(HWND window, LightSubclassProc proc, void* data);
// The next procedure in line after `proc`: what `proc` calls for what it does
// not handle itself.
LRESULT CallNextLightSubclass(HWND window, LightSubclassProc proc, UINT message, WPARAM wParam, LPARAM lParam);
// The data `proc` was added with, or null.
void* LightSubclassData(HWND window, LightSubclassProc proc);
// Every light subclass leaves with the window, after its WM_NCDESTROY.

}  // namespace kelvane
