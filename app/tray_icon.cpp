#include "app/tray_icon.h"

#include <shellapi.h>

#include <cwchar>
#include <deque>
#include <mutex>
#include <string>

#include "app/app_state.h"
#include "catalog/ids.h"
#include "app/main_window.h"
#include "app/popup_menus.h"
#include "catalog/catalog.h"
#include "toolkit/worker_thread.h"

namespace kelvane {
namespace {

constexpr size_t kTipLength = 63;  // what the oldest notification areas show

HWND g_trayOwner = nullptr;  // set while the icon is in the notification area

// The shell's calls, done in order on a worker thread that ends when none is
// left. Each call carries everything it needs: the worker touches nothing else.
struct TrayCall {
  DWORD message;
  NOTIFYICONDATAW data;
};

class TrayCalls {
 public:
  void Queue(DWORD message, const NOTIFYICONDATAW& data) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back({message, data});
    worker_.Wake([this] { Run(); });
  }

  // The calls are queued from the UI thread only: none comes in meanwhile.
  void Wait() { worker_.Join(); }

 private:
  void Run() {
    for (;;) {
      TrayCall call{};
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (calls_.empty()) {
          worker_.Ending();
          return;
        }
        call = calls_.front();
        calls_.pop_front();
      }
      Shell_NotifyIconW(call.message, &call.data);
    }
  }

  std::mutex mutex_;
  std::deque<TrayCall> calls_;
  WorkerThread worker_;
};

TrayCalls& Calls() {
  static TrayCalls calls;
  return calls;
}

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

void PutIcon(HWND owner) {
  NOTIFYICONDATAW data = IconData(owner);
  data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = App().images.Icon(10);
  const std::wstring tip = CatalogText(L"SystrayIcon", L"Kelvane").substr(0, kTipLength);
  wcsncpy_s(data.szTip, tip.c_str(), _TRUNCATE);
  Calls().Queue(NIM_ADD, data);
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
  Calls().Queue(NIM_DELETE, data);
  g_trayOwner = nullptr;
  WaitForTrayCalls();
}

void WaitForTrayCalls() { Calls().Wait(); }

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
