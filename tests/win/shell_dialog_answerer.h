#pragma once
// Answers the shell's own dialogs (a visible window of class #32770 of this
// process) while it lives, each with the buttons given in turn: a test cannot
// click them, and recycling asks unless the user's settings say otherwise.
#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace kelvane::test {

class ShellDialogAnswerer {
 public:
  explicit ShellDialogAnswerer(std::initializer_list<int> buttons = {IDYES, IDOK})
      : buttons_(buttons), thread_([this] { Run(); }) {}
  ~ShellDialogAnswerer() {
    stop_ = true;
    thread_.join();
  }
  ShellDialogAnswerer(const ShellDialogAnswerer&) = delete;
  ShellDialogAnswerer& operator=(const ShellDialogAnswerer&) = delete;

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(cls) == L"#32770") {
      *reinterpret_cast<HWND*>(param) = window;
      return FALSE;
    }
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      HWND dialog = nullptr;
      EnumWindows(Find, reinterpret_cast<LPARAM>(&dialog));
      if (dialog) {
        for (int button : buttons_) PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
        Sleep(300);  // the dialog closes before it is looked for again
      }
      Sleep(50);
    }
  }
  const std::vector<int> buttons_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace kelvane::test
