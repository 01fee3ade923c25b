#pragma once
// Drives a real Kelvane.exe from a test: start it, find its window, send it
// commands, wait for its end.
#include <windows.h>

#include <string>

namespace kelvane::test {

// Kelvane.exe beside the test program.
std::wstring KelvaneExePath();
std::wstring ProfileFolder();                 // with trailing backslash
std::wstring DataFolderPath();                // profile + "Tamorin Kelvane" (no backslash)
void RemovePath(const std::wstring& path);    // a file, or a folder and all it holds
bool FileExists(const std::wstring& path);
bool IsDirectory(const std::wstring& path);
std::string ReadAll(const std::wstring& path);
FILETIME LastWriteTime(const std::wstring& path);
std::wstring MakeTempFolder();

// Polls a condition every 20 ms until it holds or the time is up.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

class KelvaneProcess {
 public:
  KelvaneProcess() = default;
  KelvaneProcess(const KelvaneProcess&) = delete;
  KelvaneProcess& operator=(const KelvaneProcess&) = delete;
  ~KelvaneProcess();  // kills a process still running

  bool Start(const std::wstring& workingFolder = L"");
  // The main window once it is visible and start-up is complete; null after
  // the timeout.
  HWND WaitForMainWindow(DWORD timeoutMs = 20000);
  // True when the process ended within the time; *exitCode gets its code.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  bool Running() const;
  void Kill();
  HANDLE Handle() const { return process_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The main window of any running instance (exact title with its blank).
HWND FindMainWindow();

}  // namespace kelvane::test

namespace kelvane::test {

// A gadget of the main window by its number (any depth), optionally of a
// window class; null when absent.
HWND FindGadgetWindow(HWND main, int id, const wchar_t* className = nullptr);
// The client rectangle of a window in the coordinates of another.
RECT RectIn(HWND window, HWND reference);
// Writes a file whole (bytes as given).
bool WriteAll(const std::wstring& path, const std::string& bytes);

}  // namespace kelvane::test
