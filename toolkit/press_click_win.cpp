#include "toolkit/press_click_win.h"

#include <windowsx.h>

namespace kelvane {

bool AnswerPressClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* pressed, void (*click)(HWND),
                      LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      *result = TRUE;
      return true;
    case WM_LBUTTONDOWN:
      if (pressed) *pressed = true;
      SetCapture(window);
      return true;
    case WM_LBUTTONUP: {
      const bool wasPressed = pressed && *pressed && GetCapture() == window;
      if (pressed) *pressed = false;
      if (GetCapture() == window) ReleaseCapture();
      RECT area{};
      GetClientRect(window, &area);
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      // Like a push button: releasing outside the control cancels the click.
      if (wasPressed && PtInRect(&area, at)) click(window);
      return true;
    }
    case WM_CAPTURECHANGED:
      if (pressed) *pressed = false;
      return true;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE && wParam != VK_RETURN) return false;
      if (!(lParam & 0x40000000)) click(window);  // not on auto-repeat
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
      InvalidateRect(window, nullptr, FALSE);
      return false;
    default:
      return false;
  }
}

}  // namespace kelvane
