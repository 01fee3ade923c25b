// Small remote control for a running Kelvane, used by the run script and for
// screenshots: waits for the main window, sends it commands, quits it.
//   kelvane_remote wait [ms]       exit 0 once the main window is visible
//   kelvane_remote command N       send command number N (WM_COMMAND)
//   kelvane_remote quit [ms]       send the quit command and wait for the end
//   kelvane_remote click G         click gadget G (a button of a tab page)
//   kelvane_remote choose G I      choose entry I of drop-down gadget G
//   kelvane_remote size W H        give the main window an inner size of W x H
//   kelvane_remote rect [front]    print "x y width height" of the main window
//                                  (or of the window in front) on the screen
//   kelvane_remote clip PATH...    put files on the clipboard, as copied by the
//                                  file manager (Windows paths); with no path,
//                                  empty the clipboard
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/program_context_win.h"
#include "toolkit/find_child_win.h"

namespace {

HWND MainWindow() { return FindWindowW(nullptr, kelvane::BuildWindowTitle().c_str()); }

bool WaitUntil(bool (*condition)(), int ms) {
  for (int waited = 0; waited <= ms; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return false;
}

std::wstring Wide(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1u, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

// CF_HDROP with wide paths, each ending in a null, the list in a second one.
bool PutFilesOnClipboard(int count, char** paths) {
  std::wstring list;
  for (int index = 0; index < count; ++index) list += Wide(paths[index]) + L'\0';
  list += L'\0';
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!memory) return false;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  if (count == 0) {
    GlobalFree(memory);
    CloseClipboard();
    return true;
  }
  const bool put = SetClipboardData(CF_HDROP, memory) != nullptr;
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kelvane_remote wait|command N|quit [ms]\n");
    return 2;
  }
  const char* verb = argv[1];
  const int arg = argc > 2 ? std::atoi(argv[2]) : 0;
  if (std::strcmp(verb, "wait") == 0) {
    return WaitUntil([] { HWND w = MainWindow(); return w && IsWindowVisible(w) != FALSE; },
                     arg > 0 ? arg : 20000)
               ? 0
               : 1;
  }
  if (std::strcmp(verb, "clip") == 0) return PutFilesOnClipboard(argc - 2, argv + 2) ? 0 : 1;
  HWND window = MainWindow();
  if (!window) {
    std::fprintf(stderr, "kelvane_remote: no Kelvane window\n");
    return 1;
  }
  if (std::strcmp(verb, "command") == 0) {
    return PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(arg), 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "hotkey") == 0) {
    // What the system sends when the quick-open hotkey is pressed.
    return PostMessageW(window, WM_HOTKEY, 1, 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "click") == 0 || std::strcmp(verb, "choose") == 0) {
    HWND gadget = kelvane::FindChildWindow(window, arg);
    if (!gadget) return 1;
    // Posted: a button may open a menu, whose loop would hold a sent message.
    if (std::strcmp(verb, "click") == 0) {
      return PostMessageW(window, WM_COMMAND, MAKEWPARAM(arg, BN_CLICKED), reinterpret_cast<LPARAM>(gadget)) ? 0 : 1;
    }
    SendMessageW(gadget, CB_SETCURSEL, static_cast<WPARAM>(argc > 3 ? std::atoi(argv[3]) : 0), 0);
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(arg, CBN_SELCHANGE), reinterpret_cast<LPARAM>(gadget)) ? 0 : 1;
  }
  if (std::strcmp(verb, "size") == 0 && argc > 3) {
    RECT outer{};
    RECT inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    const int width = arg + (outer.right - outer.left) - inner.right;
    const int height = std::atoi(argv[3]) + (outer.bottom - outer.top) - inner.bottom;
    // Moved back onto the work area if the new size would pass its edge.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = outer.left + width > work.right ? work.right - width : outer.left;
    const int y = outer.top + height > work.bottom ? work.bottom - height : outer.top;
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
  }
  if (std::strcmp(verb, "rect") == 0) {
    HWND shown = argc > 2 && std::strcmp(argv[2], "front") == 0 ? GetForegroundWindow() : window;
    RECT outer{};
    if (!shown || !GetWindowRect(shown, &outer)) return 1;
    std::printf("%ld %ld %ld %ld\n", outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
    return 0;
  }
  if (std::strcmp(verb, "quit") == 0) {
    PostMessageW(window, WM_COMMAND, 8, 0);
    return WaitUntil([] { return MainWindow() == nullptr; }, arg > 0 ? arg : 20000) ? 0 : 1;
  }
  return 2;
}
