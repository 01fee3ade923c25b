// Start-up benchmark: time from process creation to the main window shown,
// for Kelvane.exe and for a minimal window program built the same way.
// Prints the figures; run under Wine by tools/bench.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"

namespace {

std::wstring Beside(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.resize(path.find_last_of(L'\\') + 1);
  return path + name;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds until a visible window with the title exists; -1 on failure.
double TimeToWindow(const std::wstring& exe, const std::wstring& title, UINT quitMessage,
                    WPARAM quitParam) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = Now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi)) {
    return -1;
  }
  double shown = -1;
  HWND window = nullptr;
  while (Now() - start < 30000) {
    window = FindWindowW(nullptr, title.c_str());
    if (window && IsWindowVisible(window)) {
      shown = Now() - start;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  if (window) PostMessageW(window, quitMessage, quitParam, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return shown;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const std::wstring kelvane = Beside(L"Kelvane.exe");
  const std::wstring minimal = Beside(L"minimal_window_gui.exe");
  std::vector<double> k, m;
  // One warm-up each: the first start also pays for the disk cache.
  TimeToWindow(minimal, L"Minimal window", WM_CLOSE, 0);
  TimeToWindow(kelvane, kelvane::BuildWindowTitle(), WM_COMMAND, 8);
  for (int i = 0; i < runs; ++i) {
    const double a = TimeToWindow(minimal, L"Minimal window", WM_CLOSE, 0);
    const double b = TimeToWindow(kelvane, kelvane::BuildWindowTitle(), WM_COMMAND, 8);
    if (a < 0 || b < 0) {
      std::printf("run %d failed (minimal %.1f, kelvane %.1f)\n", i, a, b);
      return 1;
    }
    m.push_back(a);
    k.push_back(b);
  }
  const double mm = Median(m), km = Median(k);
  std::printf("start-up to window shown, %d runs (ms):\n", runs);
  std::printf("  minimal window  median %7.1f  min %7.1f  max %7.1f\n", mm,
              *std::min_element(m.begin(), m.end()), *std::max_element(m.begin(), m.end()));
  std::printf("  Kelvane.exe     median %7.1f  min %7.1f  max %7.1f\n", km,
              *std::min_element(k.begin(), k.end()), *std::max_element(k.begin(), k.end()));
  std::printf("  ratio (medians) %.2f   target 1.5 or less\n", km / mm);
  return 0;
}
