#pragma once
// Window classes of the program's own windows and gadgets.
#include <windows.h>

namespace kelvane {

// Registers a class of this module once (true when it exists already), with
// the arrow cursor, the given background brush (or none: the window paints
// it) and class icon.
bool RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr,
                             HICON icon = nullptr);

}  // namespace kelvane
