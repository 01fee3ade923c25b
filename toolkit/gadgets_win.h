#pragma once
// The one place where gadget numbers map to window handles: the main window
// registers its gadgets as it builds them, and the parts look them up.
#include <windows.h>

namespace kelvane {

void RegisterGadget(int id, HWND window);
HWND Gadget(int id);  // null when the gadget was not created
// The number of a gadget window, or -1 when it is none of ours.
int GadgetNumberOf(HWND window);

}  // namespace kelvane
