#pragma once
// Finding a control among a window's children from outside its code (the
// remote control, tests, benchmarks), by control number.
#include <windows.h>

namespace kelvane {

// The child window, at any depth, with that control number and, when given,
// that window class (a control may sit in a container of the same number);
// nullptr when there is none.
HWND FindChildWindow(HWND parent, int id, const wchar_t* className = nullptr);

}  // namespace kelvane
