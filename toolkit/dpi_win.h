#pragma once
#include <windows.h>

namespace kelvane {

// Window units are pixels at 96 dots per inch; these convert them for the
// DPI of a window (or of the primary screen when the window is null).
UINT DpiOf(HWND window);
int Scale(int units, UINT dpi);
double ScaleFactor(UINT dpi);
// The width of a vertical scroll bar in that window, in pixels.
int VerticalScrollBarWidth(HWND window);

}  // namespace kelvane
