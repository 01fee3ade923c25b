#include "toolkit/tab_page_win.h"

#include <commctrl.h>

#include "toolkit/gadgets_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CONTEXTMENU:  // sent on as the gadget sent it, naming the gadget (a list's menu key)
      // The top-level window dispatches gadget events and colours gadgets.
      if (HWND root = GetAncestor(page, GA_ROOT); root && root != page) {
        return SendMessageW(root, message, wParam, lParam);
      }
      break;
    case WM_ERASEBKGND: {
      RECT area{};
      GetClientRect(page, &area);
      const auto brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(page, GWLP_USERDATA));
      FillRect(reinterpret_cast<HDC>(wParam), &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      break;
  }
  return DefWindowProcW(page, message, wParam, lParam);
}

}  // namespace

HWND CreateTabPage(HWND tabs, int id, bool visible) {
  if (!RegisterWindowClassOnce(kTabPageClass, PageProc)) return nullptr;
  // WS_EX_CONTROLPARENT: the dialog manager's Tab key reaches the gadgets.
  return CreateWindowExW(WS_EX_CONTROLPARENT, kTabPageClass, nullptr,
                         WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), 0, 0, 0, 0, tabs,
                         GadgetIdParameter(id), GetModuleHandleW(nullptr), nullptr);
}

void SetTabPageBrush(HWND page, HBRUSH brush) {
  SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
  InvalidateRect(page, nullptr, TRUE);
}

RECT TabDisplayArea(HWND tabs) {
  RECT area{};
  GetClientRect(tabs, &area);
  TabCtrl_AdjustRect(tabs, FALSE, &area);
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

}  // namespace kelvane
