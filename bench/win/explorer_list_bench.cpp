// Explorer list benchmark: how long the control takes to show folders of
// 10,000 and 100,000 files, against a bare FindFirstFileW/FindNextFileW
// enumeration of the same folder in the same round, and what it costs in
// memory; then how fast a change on disk shows and a header click sorts.
//   explorer_list_bench [rounds]     (5 by default)
//
// First screen: the moment the list view has drawn listed rows (it asked for
// a row's text during a paint and that paint returned) after SetFolder was
// called. Complete: the listing has ended and the window was drawn after.
// Prints the figures; run under Wine by tools/bench.sh.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "toolkit/explorer_list_win.h"

namespace {

using kelvane::ExplorerListControl;
using namespace kelvane::bench;

double Milliseconds(std::int64_t ticks) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return 1000.0 * static_cast<double>(ticks) / frequency;
}

std::int64_t Ticks() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

struct Memory {
  double privateMb = 0;
  double workingSetMb = 0;
};

Memory MemoryNow() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                          sizeof counters);
  // Wine leaves PrivateUsage at zero; the commit charge is the same figure.
  const SIZE_T committed = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  return {static_cast<double>(committed) / (1024 * 1024),
          static_cast<double>(counters.WorkingSetSize) / (1024 * 1024)};
}

int CountEntries(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    ++count;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count - 2;  // "." and ".."
}

// Under Wine, every new name is compared with the whole folder, so that
// making 100,000 files one by one takes about an hour. The host's shell
// makes them in a second (Wine starts host programs; there is no handle to
// wait on, so the caller counts the files). False when not under Wine.
bool MakeFilesThroughHost(const std::wstring& folder, int files) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName || GetFileAttributesW(L"Z:\\bin\\sh") == INVALID_FILE_ATTRIBUTES) return false;
  char* path = unixName(folder.c_str());
  if (!path) return false;
  std::wstring command = L"Z:\\bin\\sh -c \"cd '";
  for (const char* c = path; *c; ++c) command += static_cast<wchar_t>(static_cast<unsigned char>(*c));
  HeapFree(GetProcessHeap(), 0, path);
  command += L"' && seq -f 'file_%06g.txt' 0 " + std::to_wstring(files - 1) + L" | xargs touch\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  for (int waited = 0; waited < 600 && CountEntries(folder) < files; ++waited) Sleep(100);
  return CountEntries(folder) >= files;
}

// A folder of `files` empty files, made once and kept for later runs.
std::wstring SampleFolder(int files) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kelvane-bench-" + std::to_wstring(files) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  if (CountEntries(folder) == files) return folder;
  std::printf("  making %d files in %ls ...\n", files, folder.c_str());
  std::fflush(stdout);
  if (MakeFilesThroughHost(folder, files)) return folder;
  for (int i = 0; i < files; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"file_%06d.txt", i);
    HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return folder;
}

double BareEnumeration(const std::wstring& folder, int* count) {
  const std::int64_t start = Ticks();
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  int n = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      ++n;
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  *count = n;
  return Milliseconds(Ticks() - start);
}

// Dispatches messages until `done` holds (checked after each message).
template <typename Condition>
bool Pump(Condition done, double timeoutMs = 60000) {
  const std::int64_t start = Ticks();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    if (Milliseconds(Ticks() - start) > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

struct Showing {
  double returned = 0;     // SetFolder returned
  double firstScreen = 0;  // rows drawn
  double complete = 0;     // listing ended and drawn
};

Showing Show(ExplorerListControl& list, const std::wstring& folder) {
  Showing result;
  const std::int64_t start = Ticks();
  list.SetFolder(folder);
  result.returned = Milliseconds(Ticks() - start);
  Pump([&] {
    if (result.firstScreen == 0 && list.stats().firstRowsDrawn != 0) result.firstScreen = Milliseconds(Ticks() - start);
    if (result.complete == 0 && !list.IsListing()) {
      UpdateWindow(list.Hwnd());
      result.complete = Milliseconds(Ticks() - start);
    }
    return result.firstScreen != 0 && result.complete != 0;
  });
  return result;
}

void Measure(HWND window, int files, int rounds) {
  std::printf("\n== folder of %d files\n", files);
  const std::wstring folder = SampleFolder(files);
  int count = 0;
  BareEnumeration(folder, &count);  // once first: the folder comes into the cache
  std::printf("  %d entries\n", count);

  const Memory base = MemoryNow();
  ExplorerListControl list;
  kelvane::ExplorerListOptions options;
  options.multipleSelection = true;
  options.fullRowSelect = true;
  RECT client{};
  GetClientRect(window, &client);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  list.Create(window, 32, 0, 0, client.right, client.bottom, temp, options);
  Pump([&] { return !list.IsListing(); });

  for (const bool byName : {false, true}) {
    if (byName) list.SortByColumn(0);
    // Round by round the bare enumeration, then the control on the same folder.
    std::vector<double> bare, returned, first, complete;
    Memory after{};
    for (int run = 0; run < rounds; ++run) {
      list.SetFolder(temp);  // away, so that the next one is a new folder
      Pump([&] { return !list.IsListing(); });
      bare.push_back(BareEnumeration(folder, &count));
      const Showing s = Show(list, folder);
      after = MemoryNow();
      returned.push_back(s.returned);
      first.push_back(s.firstScreen);
      complete.push_back(s.complete);
    }
    const Spread ratio = SpreadOf(RoundRatios(complete, bare));
    const Spread firstOver = SpreadOf(RoundDifferences(first, bare));
    std::printf("  %s, medians of %d rounds: bare FindFirstFileW/FindNextFileW %.1f ms; control: SetFolder "
                "returned %.1f ms, first screen %.1f ms, complete %.1f ms, %d rows\n",
                byName ? "sorted by name" : "listing order", rounds, Median(bare), Median(returned), Median(first),
                Median(complete), list.RowCount());
    std::printf("    complete / bare = %.2f (quartiles %.2f - %.2f); first screen - bare = %+.1f ms (quartiles "
                "%+.1f - %+.1f)\n",
                ratio.median, ratio.low, ratio.high, firstOver.median, firstOver.low, firstOver.high);
    std::printf("    memory with the folder shown: private %.1f MB (%+.1f since before the control), working set "
                "%.1f MB (%+.1f)\n",
                after.privateMb, after.privateMb - base.privateMb, after.workingSetMb,
                after.workingSetMb - base.workingSetMb);
    const std::string name = "listing_" + std::to_string(files) + (byName ? "_sorted" : "");
    PrintResult(ResultLine(name + "_ratio", ratio));
    PrintResult(ResultLine(name + "_first_screen_over_bare_ms", firstOver));
  }

  // A change on disk in the folder shown.
  const std::uint64_t lookups = list.stats().iconLookups;
  const std::wstring added = folder + L"added by the benchmark.txt";
  const int rows = list.RowCount();
  const std::int64_t start = Ticks();
  HANDLE file = CreateFileW(added.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(file);
  const bool seen = Pump([&] { return list.RowCount() == rows + 1; }, 10000);
  const double changeMs = Milliseconds(Ticks() - start);
  UpdateWindow(list.Hwnd());
  std::printf("  file created in the folder shown: in the list after %.0f ms%s (target <= 1000: %s); icon lookups "
              "for it %llu\n",
              changeMs, seen ? "" : " (NOT SEEN)", seen && changeMs <= 1000 ? "met" : "MISSED",
              static_cast<unsigned long long>(list.stats().iconLookups - lookups));
  DeleteFileW(added.c_str());
  Pump([&] { return list.RowCount() == rows; }, 10000);

  std::vector<double> sorts;
  for (int column : {1, 1, 0}) {
    const std::int64_t t = Ticks();
    list.SortByColumn(column);
    UpdateWindow(list.Hwnd());
    sorts.push_back(Milliseconds(Ticks() - t));
  }
  std::printf("  header clicks (size, size again, name) with the window drawn: %.1f, %.1f, %.1f ms\n", sorts[0],
              sorts[1], sorts[2]);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  WNDCLASSW cls{};
  cls.lpfnWndProc = HostProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  cls.lpszClassName = L"ExplorerListBench";
  RegisterClassW(&cls);
  HWND window = CreateWindowExW(0, cls.lpszClassName, L"Explorer list benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 800, 600, nullptr, nullptr, cls.hInstance, nullptr);
  if (!window) return 1;
  const Memory start = MemoryNow();
  std::printf("explorer list benchmark; process at start: private %.1f MB, working set %.1f MB\n", start.privateMb,
              start.workingSetMb);
  for (int files : {10000, 100000}) Measure(window, files, rounds);
  DestroyWindow(window);
  return 0;
}
