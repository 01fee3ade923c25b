#pragma once
// The one place where gadget numbers map to window handles: the main window
// registers its gadgets as it builds them, and the parts look them up.
#include <windows.h>

namespace kelvane {

void RegisterGadget(int id, HWND window);
HWND Gadget(int id);  // null when the gadget was not created
// A child window's number as CreateWindowExW takes it.
inline HMENU GadgetIdParameter(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }
// The number of a gadget window, or -1 when it is none of ours.
int GadgetNumberOf(HWND window);

}  // namespace kelvane
