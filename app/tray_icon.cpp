#include "app/tray_icon.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "app/app_state.h"
#include "catalog/ids.h"
#include "app/main_window.h"
#include "app/popup_menus.h"
#include "catalog/catalog.h"

namespace kelvane {
namespace {

constexpr size_t kTipLength = 63;  // what the oldest notification areas show

HWND g_trayOwner = nullptr;  // set while the icon is in the notification area

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

NOTIFYICONDATAW IconData(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kTrayIcon;
  return data;
}

bool PutIcon(HWND owner) {
  NOTIFYICONDATAW data = IconData(owner);
  data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = App().images.Icon(10);
  const std::wstring tip = CatalogText(L"SystrayIcon", L"Kelvane").substr(0, kTipLength);
  wcsncpy_s(data.szTip, tip.c_str(), _TRUNCATE);
  return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

}  // namespace

void AddTrayIcon(HWND main) {
  TaskbarCreatedMessage();  // registered before the shell can announce it
  if (!main) return;
  // Kept even when the shell is not there yet: "TaskbarCreated" adds it then.
  g_trayOwner = main;
  PutIcon(main);
}

void RemoveTrayIcon() {
  if (!g_trayOwner) return;
  NOTIFYICONDATAW data = IconData(g_trayOwner);
  Shell_NotifyIconW(NIM_DELETE, &data);
  g_trayOwner = nullptr;
}

bool HandleTaskbarCreated(UINT message) {
  const UINT created = TaskbarCreatedMessage();
  if (!created || message != created) return false;
  if (g_trayOwner) PutIcon(g_trayOwner);
  return true;
}

void HandleTrayMessage(WPARAM wParam, LPARAM lParam) {
  if (wParam != static_cast<WPARAM>(kTrayIcon)) return;
  switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
      ShowMainWindow();
      break;
    case WM_RBUTTONUP:
      ShowPopupMenu(kMenuSystray);  // brings the main window forward first
      break;
    default:
      break;
  }
}

}  // namespace kelvane
