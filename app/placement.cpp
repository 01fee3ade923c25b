#include "app/placement.h"

#include "toolkit/dpi_win.h"

namespace kelvane {

void SetPinned(HWND window, bool on) {
  const bool topmost = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topmost == on) return;
  SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, FALSE);
}

void SetInnerSize(HWND window, int width, int height) {
  const UINT dpi = DpiOf(window);
  RECT r{0, 0, Scale(width, dpi), Scale(height, dpi)};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MoveOnScreen(HWND window, int x, int y) {
  RECT now{};
  GetWindowRect(window, &now);
  // The caption strip: what the user needs to grab the window.
  const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
  RECT grip{x, y, x + (now.right - now.left), y + caption};
  if (!MonitorFromRect(&grip, MONITOR_DEFAULTTONULL)) return false;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

SIZE InnerSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  const int dpi = static_cast<int>(DpiOf(window));
  return {MulDiv(r.right - r.left, 96, dpi), MulDiv(r.bottom - r.top, 96, dpi)};
}

POINT OuterPosition(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top};
}

}  // namespace kelvane
