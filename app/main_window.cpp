#include "app/main_window.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/gadget_table.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/layout.h"
#include "app/main_window_contents.h"
#include "app/panel_tabs.h"
#include "toolkit/placement_win.h"
#include "app/quick_hotkey.h"
#include "app/quick_open.h"
#include "app/shutdown.h"
#include "app/tray_icon.h"
#include "explorer/clipboard_window_win.h"
#include "lists/favourite_store_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/explorer_list_win.h"

namespace kelvane {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                         WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// Outer size of a window whose inner size is the given one, at a DPI.
SIZE OuterSize(int innerWidth, int innerHeight, UINT dpi) {
  RECT r{0, 0, Scale(innerWidth, dpi), Scale(innerHeight, dpi)};
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  return {r.right - r.left, r.bottom - r.top};
}

void LimitSize(HWND window, MINMAXINFO* info) {
  const UINT dpi = DpiOf(window);
  const SIZE minimum = OuterSize(kMinInnerWidth, kMinInnerHeight, dpi);
  const SIZE maximum = OuterSize(kMaxInnerWidth, kMinInnerHeight, dpi);
  info->ptMinTrackSize = {minimum.cx, minimum.cy};
  info->ptMaxTrackSize.x = maximum.cx;
  // Maximised, the window keeps its greatest width and stays off the task bar.
  MaximisedOnWorkArea(window, maximum.cx, &info->ptMaxPosition, &info->ptMaxSize);
}

// WM_COMMAND: menu items, accelerators (no control) and tool-bar buttons
// carry command numbers; other controls report gadget events.
void OnCommand(WPARAM wParam, LPARAM lParam) {
  FinishListPages();
  const int id = LOWORD(wParam);
  const auto control = reinterpret_cast<HWND>(lParam);
  if (!control || control == Gadget(kMainToolBar)) {
    DispatchCommand(id);
    return;
  }
  switch (HIWORD(wParam)) {
    case BN_CLICKED:
      DispatchGadgetEvent(id, GadgetEvent::Click);
      break;
    case CBN_SELCHANGE:
      DispatchGadgetEvent(id, GadgetEvent::Change);
      break;
    default:
      break;
  }
}

void OnNotify(const NMHDR* header) {
  if (HandlePanelTabsNotify(header)) return;
  const int gadget = static_cast<int>(header->idFrom);
  // Not before: painting notifications come before the loop runs.
  const auto dispatch = [gadget](GadgetEvent event, const CommandEvent& details = {}) {
    FinishListPages();
    DispatchGadgetEvent(gadget, event, details);
  };
  switch (header->code) {
    case kExplorerListLeftClick:
      dispatch(GadgetEvent::Click);
      break;
    case kExplorerListRightClick: {
      const POINT at = reinterpret_cast<const ExplorerListEvent*>(header)->point;
      dispatch(at.x == -1 && at.y == -1 ? GadgetEvent::MenuKey : GadgetEvent::RightClick);
      break;
    }
    case kExplorerListActivate:
      dispatch(GadgetEvent::DoubleClick);
      break;
    case kExplorerListFolderChanged:
      dispatch(GadgetEvent::Change);
      break;
    case kExplorerListFilesDropped:
      if (const wchar_t* text = reinterpret_cast<const ExplorerListEvent*>(header)->text) {
        dispatch(GadgetEvent::Drop, {.dropped = text});
      }
      break;
    case kExplorerListRowsChanged:
      dispatch(GadgetEvent::RowsChanged);
      break;
    case NM_DBLCLK:
      dispatch(GadgetEvent::DoubleClick);
      break;
    case NM_RCLICK:
      dispatch(GadgetEvent::RightClick);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // What other programs put on the clipboard or take off it shows at
      // once in the paste buttons and the clipboard viewer.
      AddClipboardFormatListener(window);
      return 0;
    case WM_CLIPBOARDUPDATE:
      FollowClipboardChange(App());
      return 0;
    case WM_DESTROY:
      RemoveClipboardFormatListener(window);
      break;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (HandleFavouriteListNotify(App().favourites, reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
      OnNotify(reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && Gadget(kPanelTabs) && !MainLayoutCurrent(window)) LayoutMainWindow(window);
      return 0;
    case WM_CONTEXTMENU: {
      // From the keyboard (no mouse position), passed up from a gadget.
      const auto from = reinterpret_cast<HWND>(wParam);
      const int gadget = from ? GetDlgCtrlID(from) : 0;
      if (lParam == -1 && Gadget(gadget) == from) {
        FinishListPages();
        if (DispatchGadgetEvent(gadget, GadgetEvent::MenuKey)) return 0;
      }
      break;
    }
    case WM_HOTKEY:
      FinishListPages();
      if (wParam == kQuickHotKeyId) ToggleQuickOpen();
      return 0;
    case kTrayCallbackMessage:
      HandleTrayMessage(wParam, lParam);
      return 0;
    case WM_CLOSE:
      HideMainWindow();
      return 0;
    case WM_ENDSESSION:
      // Log-off or shutdown: the process ends after this message, with no
      // quit command; what a quit would write is written now.
      if (wParam) {
        FinishListPages();
        SaveOnQuit();
      }
      return 0;
    case WM_GETMINMAXINFO:
      LimitSize(window, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      if (HandleTaskbarCreated(message)) return 0;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, const wchar_t* title) {
  const UINT dpi = DpiOf(nullptr);
  const SIZE outer = OuterSize(kMinInnerWidth, kMinInnerHeight, dpi);
  const int x = GetSystemMetrics(SM_CXSCREEN) - Scale(410, dpi);
  const int y = GetSystemMetrics(SM_CYSCREEN) - Scale(370, dpi);
  return CreateWindowExW(kExStyle, kMainWindowClass, title, kStyle, x, y, outer.cx, outer.cy,
                         nullptr, nullptr, instance, nullptr);
}

HWND OpenMainWindow(HINSTANCE instance, const wchar_t* title) {
  return RegisterMainWindowClass(instance) ? CreateMainWindow(instance, title) : nullptr;
}

void HideMainWindow() {
  HWND window = App().mainWindow;
  if (!window || !IsWindowVisible(window)) return;
  AnimateWindow(window, 500, AW_HIDE | AW_BLEND);
  ShowWindow(window, SW_HIDE);
}

void ShowMainWindow() {
  HWND window = App().mainWindow;
  if (!window) return;
  ShowWindow(window, SW_SHOW);
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

}  // namespace kelvane
