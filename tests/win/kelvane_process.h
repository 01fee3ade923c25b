#pragma once
// Drives a real Kelvane.exe from a test: start it, find its window, send it
// commands, wait for its end.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelvane::test {

// Kelvane.exe beside the test program.
std::wstring KelvaneExePath();
std::wstring ProfileFolder();                 // with trailing backslash
// The data folder of every test: "Tamorin Kelvane" inside a private
// temporary folder of this test process (no backslash). KelvaneExe started by
// a test is pointed at it; the folder itself may be absent.
std::wstring DataFolderPath();
// The user's own data folder, profile + "Tamorin Kelvane": no test may touch it.
std::wstring RealDataFolderPath();
// A file, or a folder and all it holds. Fails the test, and deletes nothing,
// for the user's own data folder, anything inside it or anything holding it.
void RemovePath(const std::wstring& path);
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

  // Starts Kelvane.exe with its data in `dataFolder` (the test's own by
  // default). An empty `dataFolder` gives no data folder at all, neither
  // switch nor variable: only for a program that must not reach the
  // profile's folder (a portable copy, `exePath`).
  bool Start(const std::wstring& workingFolder = L"", const std::wstring& dataFolder = DataFolderPath(),
             const std::wstring& exePath = KelvaneExePath());
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
// A visible top-level window of the process with this title; null when none.
HWND FindWindowOf(const KelvaneProcess& process, const wchar_t* title);

}  // namespace kelvane::test

namespace kelvane::test {

// A gadget of the main window by its number (any depth), optionally of a
// window class; null when absent.
HWND FindGadgetWindow(HWND main, int id, const wchar_t* className = nullptr);
// The client rectangle of a window in the coordinates of another.
RECT RectIn(HWND window, HWND reference);
// Writes a file whole (bytes as given).
bool WriteAll(const std::wstring& path, const std::string& bytes);
// Every pixel of a window's client area as it is on the screen (BGRA rows, top-down).
std::vector<uint32_t> ScreenPixels(HWND window);
// Sets a key's state in this thread's keyboard state, as if held down or released.
void SetKeyDown(int key, bool down);
// Runs `open`, which may open a popup menu of this thread; the menu is
// closed from inside its loop. Where the menu stood on the screen, or an
// empty rectangle when none opened.
RECT OpenedMenuRect(const std::function<void()>& open);
// A file type of the test's own whose "open" runs `command`, registered in
// HKEY_CLASSES_ROOT itself (Wine 8 does not look in HKCU\Software\Classes);
// false when it could not be.
bool RegisterTestFileType(const std::wstring& extension, const std::wstring& progId, const std::wstring& command);
void RemoveTestFileType(const std::wstring& extension, const std::wstring& progId);

}  // namespace kelvane::test
