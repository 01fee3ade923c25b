#pragma once
// A program started by a harness: its handles, its own windows (found by its
// process id, never by a title another process could share), its answer to a
// message and its memory read through its process handle.
#include <windows.h>
#include <psapi.h>

#include <cmath>
#include <string>

namespace kelvane::bench {

inline double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / perMs;
}

// A file beside the harness's own program.
inline std::wstring Beside(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return path + name;
}

struct Memory {
  double privateMb = 0;
  double workingSetMb = 0;
  bool settled = true;  // false when still moving at the end of the wait
};

// Wine leaves PrivateUsage at zero and gives the process's anonymous resident
// memory as its commit charge (PagefileUsage), which is the same figure.
inline Memory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
    return {};
  }
  const SIZE_T committed = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  return {static_cast<double>(committed) / (1024 * 1024),
          static_cast<double>(counters.WorkingSetSize) / (1024 * 1024), true};
}

class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { End(0, 0, 0); }

  bool Start(const std::wstring& exe, const std::wstring& arguments = {}) {
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started_ = NowMs();
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
  }

  HANDLE Process() const { return pi_.hProcess; }
  double StartedAt() const { return started_; }
  bool Ended() const { return !pi_.hProcess || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }

  // A visible top-level window of this process, or nullptr.
  HWND VisibleWindow() const {
    struct Search {
      DWORD id;
      HWND found;
    } search{pi_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == s->id && IsWindowVisible(window)) s->found = window;
          return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // Polls until the program shows a window; nullptr when it ended first or
  // after `timeoutMs`.
  HWND WaitForWindow(double timeoutMs) const {
    while (NowMs() - started_ < timeoutMs) {
      if (HWND window = VisibleWindow()) return window;
      if (Ended()) return nullptr;
      Sleep(1);
    }
    return nullptr;
  }

  // Asks the window's thread to quit with `message`, waits `waitMs`, then
  // stops the process if it is still there; closes the handles.
  void End(UINT message, WPARAM wParam, DWORD waitMs) {
    if (!pi_.hProcess) return;
    if (message) {
      if (HWND window = VisibleWindow()) PostMessageW(window, message, wParam, 0);
    }
    if (WaitForSingleObject(pi_.hProcess, waitMs) != WAIT_OBJECT_0) {
      TerminateProcess(pi_.hProcess, 1);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = {};
  }

 private:
  PROCESS_INFORMATION pi_{};
  double started_ = 0;
};

// True once the window's thread has handled a message sent to it.
inline bool Answers(HWND window, UINT timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

// The process's memory once it holds still: sampled every 200 ms until two
// samples in a row agree within 0.1 MB, or after `timeoutMs`.
inline Memory SettledMemoryOf(HANDLE process, double timeoutMs) {
  const double start = NowMs();
  Memory last = MemoryOf(process);
  while (NowMs() - start < timeoutMs) {
    Sleep(200);
    const Memory now = MemoryOf(process);
    if (std::fabs(now.privateMb - last.privateMb) < 0.1) return now;
    last = now;
  }
  last.settled = false;
  return last;
}

}  // namespace kelvane::bench
