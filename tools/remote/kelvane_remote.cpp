// Small remote control for a running Kelvane, used by the run script and for
// screenshots: waits for the main window, sends it commands, quits it.
//   kelvane_remote wait [ms]       exit 0 once the main window is visible
//   kelvane_remote command N       send command number N (WM_COMMAND)
//   kelvane_remote quit [ms]       send the quit command and wait for the end
//   kelvane_remote click G         click gadget G (a button of a tab page)
//   kelvane_remote choose G I      choose entry I of drop-down gadget G
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_state.h"

namespace {

HWND MainWindow() { return FindWindowW(nullptr, kelvane::BuildWindowTitle().c_str()); }

// A gadget of the main window by its number, at any depth (tab pages).
HWND FindGadget(HWND window, int gadget) {
  struct Search {
    int id;
    HWND found;
  } search{gadget, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(bool (*condition)(), int ms) {
  for (int waited = 0; waited <= ms; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return false;
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
  HWND window = MainWindow();
  if (!window) {
    std::fprintf(stderr, "kelvane_remote: no Kelvane window\n");
    return 1;
  }
  if (std::strcmp(verb, "command") == 0) {
    return PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(arg), 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "click") == 0 || std::strcmp(verb, "choose") == 0) {
    HWND gadget = FindGadget(window, arg);
    if (!gadget) return 1;
    // Posted: a button may open a menu, whose loop would hold a sent message.
    if (std::strcmp(verb, "click") == 0) {
      return PostMessageW(window, WM_COMMAND, MAKEWPARAM(arg, BN_CLICKED), reinterpret_cast<LPARAM>(gadget)) ? 0 : 1;
    }
    SendMessageW(gadget, CB_SETCURSEL, static_cast<WPARAM>(argc > 3 ? std::atoi(argv[3]) : 0), 0);
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(arg, CBN_SELCHANGE), reinterpret_cast<LPARAM>(gadget)) ? 0 : 1;
  }
  if (std::strcmp(verb, "quit") == 0) {
    PostMessageW(window, WM_COMMAND, 8, 0);
    return WaitUntil([] { return MainWindow() == nullptr; }, arg > 0 ? arg : 20000) ? 0 : 1;
  }
  return 2;
}
