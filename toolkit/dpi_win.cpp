#include "toolkit/dpi_win.h"

namespace kelvane {

UINT DpiOf(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607 on; look it up so that the
  // program still starts on Windows 8.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window && getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int Scale(int units, UINT dpi) { return MulDiv(units, static_cast<int>(dpi), 96); }

double ScaleFactor(UINT dpi) { return dpi / 96.0; }

int VerticalScrollBarWidth(HWND window) {
  // GetSystemMetricsForDpi exists from Windows 10 1607 on, like GetDpiForWindow.
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  return forDpi ? forDpi(SM_CXVSCROLL, DpiOf(window)) : GetSystemMetrics(SM_CXVSCROLL);
}

}  // namespace kelvane
