#include "toolkit/window_class_win.h"

#include <commctrl.h>

#include "toolkit/handle_win.h"

namespace kelvane {

bool RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, HBRUSH background, HICON icon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure) {
  RegisterWindowClassOnce(className, procedure);
  return CreateWindowExW(0, className, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

HWND CreateCentredWindow(const wchar_t* className, const wchar_t* title, DWORD style, int innerWidth,
                         int innerHeight, HWND owner, void* param) {
  RECT outer{0, 0, innerWidth, innerHeight};
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_CONTROLPARENT);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return CreateWindowExW(WS_EX_CONTROLPARENT, className, title, style, x, y, width, height, owner, nullptr,
                         GetModuleHandleW(nullptr), param);
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool BringForwardIfOpen(HWND window) {
  if (!window || !IsWindow(window)) return false;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  return true;
}

HWND CreateStatusBar(HWND window, int id, HFONT font, HICON icon, int iconWidth, const std::wstring& text,
                     UINT textStyle) {
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!bar) return nullptr;
  SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int parts[2] = {iconWidth, -1};
  SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageW(bar, SB_SETICON, 0, reinterpret_cast<LPARAM>(icon));
  SendMessageW(bar, SB_SETTEXTW, 1 | textStyle, reinterpret_cast<LPARAM>(text.c_str()));
  return bar;
}

namespace {

void PaintOffScreen(HWND window, HDC target, SelfPaint paint) {
  RECT area{};
  GetClientRect(window, &area);
  if (area.right <= 0 || area.bottom <= 0) return;
  UniqueDC memory(CreateCompatibleDC(target));
  UniqueBitmap picture(CreateCompatibleBitmap(target, area.right, area.bottom));
  if (!memory || !picture) {
    paint(window, target, area);
    return;
  }
  SelectObjectScope use(memory.get(), picture.get());
  paint(window, memory.get(), area);
  BitBlt(target, 0, 0, area.right, area.bottom, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace

bool AnswerSelfPainting(HWND window, UINT message, WPARAM wParam, SelfPaint paint, LRESULT* result) {
  switch (message) {
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc) PaintOffScreen(window, dc, paint);
      EndPaint(window, &ps);
      *result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      PaintOffScreen(window, reinterpret_cast<HDC>(wParam), paint);
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace kelvane
