#include "toolkit/placement_win.h"

#include <algorithm>

#include "toolkit/dpi_win.h"

namespace kelvane {

namespace {

MONITORINFO MonitorOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return info;
}

// The restored rectangle in screen pixels. GetWindowPlacement gives it in
// workspace coordinates, which start at the work area's corner.
RECT NormalRect(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  RECT r = placement.rcNormalPosition;
  if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    const MONITORINFO m = MonitorOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
    OffsetRect(&r, m.rcWork.left - m.rcMonitor.left, m.rcWork.top - m.rcMonitor.top);
  }
  return r;
}

bool Restored(HWND window) { return !IsIconic(window) && !IsZoomed(window); }

}  // namespace

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

void KeepWholeOnWorkArea(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const RECT work = MonitorOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST)).rcWork;
  const LONG width = std::min(r.right - r.left, work.right - work.left);
  const LONG height = std::min(r.bottom - r.top, work.bottom - work.top);
  const LONG x = std::clamp(r.left, work.left, work.right - width);
  const LONG y = std::clamp(r.top, work.top, work.bottom - height);
  if (x == r.left && y == r.top && width == r.right - r.left && height == r.bottom - r.top) return;
  SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MaximisedOnWorkArea(HWND window, int maxWidth, POINT* position, POINT* size) {
  const MONITORINFO m = MonitorOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
  // Relative to the monitor's corner; the system moves it to the monitor
  // that the window maximises on.
  *position = {m.rcWork.left - m.rcMonitor.left, m.rcWork.top - m.rcMonitor.top};
  *size = {std::min<LONG>(maxWidth, m.rcWork.right - m.rcWork.left), m.rcWork.bottom - m.rcWork.top};
}

SIZE InnerSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  if (!Restored(window)) {
    RECT frame{};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    const RECT normal = NormalRect(window);
    r = {0, 0, (normal.right - normal.left) - (frame.right - frame.left),
         (normal.bottom - normal.top) - (frame.bottom - frame.top)};
  }
  const int dpi = static_cast<int>(DpiOf(window));
  return {MulDiv(r.right - r.left, 96, dpi), MulDiv(r.bottom - r.top, 96, dpi)};
}

POINT OuterPosition(HWND window) {
  RECT r{};
  if (Restored(window)) {
    GetWindowRect(window, &r);
  } else {
    r = NormalRect(window);
  }
  return {r.left, r.top};
}

}  // namespace kelvane
