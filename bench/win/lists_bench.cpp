// Favourite lists benchmark.
// In process (the real main window and loader, shown, with the colour layer
// as in the program), 30,000 entries in the three lists, round by round: the
// time to read and parse the three files alone, then the loader's time until
// the lists are full, until the icons are in, and the longest time the
// user-interface thread spent in one message meanwhile (what "never blocks
// more than a frame" is about); handles, image list and memory after each.
// Then the real Kelvane.exe, on private data folders: on 30,000 entries
// against itself on none, round by round, the time from process creation to
// the lists full against to the window shown, and its longest answer time to
// a message meanwhile; last on 100,000 favourites, round by round, the same
// answer time, and the settled memory of the first start, read through the
// handle of the process started.
//   lists_bench [rounds] [favourites for the real program] [icons]
// (5 rounds and 100,000 favourites by default, none: in process only; "icons" waits in process for
// every icon, which takes minutes, instead of stopping them once the rows are in)
// Prints its figures and RESULT lines; run under Wine by tools/bench.sh.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/main_window.h"
#include "app/main_window_contents.h"
#include "app/panel_tabs.h"
#include "app/tray_icon.h"
#include "assets/image_ids.h"
#include "bench/bench_figures.h"
#include "bench/win/bench_lists_win.h"
#include "bench/win/bench_process_win.h"
#include "catalog/catalog.h"
#include "lists/list_file.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/find_child_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/utf_win.h"

namespace {

using namespace kelvane;
using namespace kelvane::bench;

constexpr int kInProcessEntries = 30000;

int CountKernelHandles() {
  int count = 0;
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

// Wine reports no handle count through the usual calls: kernel handles are
// counted by probing handle values.
void PrintUsage(const char* when) {
  SHFILEINFOW info{};
  int images = -1;
  if (auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
          L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
          SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))) {
    images = ImageList_GetImageCount(list);
  }
  const Memory memory = MemoryOf(GetCurrentProcess());
  std::printf("  %-24s kernel handles %4d, system image list %4d icons, private %6.1f MB, working set %6.1f MB\n",
              when, CountKernelHandles(), images, memory.privateMb, memory.workingSetMb);
}

struct LoadFigures {
  double full = 0;     // ms until the three lists hold their files
  double idle = 0;     // ms until the icons are in too
  double longest = 0;  // longest single message on the UI thread meanwhile
  std::string longestWhat;
};

std::string Describe(const MSG& msg) {
  char cls[64] = {};
  GetClassNameA(msg.hwnd, cls, 64);
  char text[96];
  std::snprintf(text, sizeof text, "message 0x%04X to %s", msg.message, cls);
  return text;
}

bool ListsHold(int total) {
  int rows = 0;
  for (int kind : kListKinds) rows += EntryCount(App().favourites, kind);
  return rows >= total;
}

// Runs the loader with icons under a message loop like the program's, timing
// each message. Unless `waitForIcons`, the icons are stopped once the rows
// are in (the shell takes minutes for 30,000 of them under Wine).
LoadFigures TimeLoad(int total, bool waitForIcons) {
  LoadFigures f;
  const double start = NowMs();
  StartListLoader(App().favourites, ListLoaderOptions{true});
  double longest = NowMs() - start;  // StartListLoader itself runs on the UI thread
  while (ListLoaderBusy()) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      const double before = NowMs();
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (NowMs() - before > longest) {
        longest = NowMs() - before;
        f.longestWhat = Describe(msg);
      }
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    if (f.full == 0 && ListsHold(total)) {
      f.full = NowMs() - start;
      if (!waitForIcons) StopListLoader();
    }
  }
  f.idle = NowMs() - start;
  if (f.full == 0) f.full = f.idle;
  f.longest = longest;
  return f;
}

// Reading and parsing the three files alone, in ms.
double TimeParse(int total) {
  const double start = NowMs();
  size_t entries = 0;
  for (int kind : kListKinds) {
    std::string bytes;
    ReadWholeFile(ListFilePath(App().favourites, kind), &bytes);
    entries += ParseListFile(bytes, AnsiToWide).entries.size();
  }
  const double ms = NowMs() - start;
  if (entries != static_cast<size_t>(total)) std::printf("  parse gave %zu entries!\n", entries);
  return ms;
}

void ClearLists() {
  for (int kind : kListKinds) ClearEntries(App().favourites, kind);
}

void InProcess(const std::wstring& folder, int rounds, bool waitForIcons) {
  AppState& app = App();
  HMODULE exe = LoadLibraryExW(Beside(L"Kelvane.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  app.images.LoadFromResources(exe, kImageResourceBase, kImageCount);
  app.fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, DpiOf(nullptr));
  app.dataFolder = folder;

  const double windowStart = NowMs();
  app.mainWindow = OpenMainWindow(GetModuleHandleW(nullptr), L"Kelvane lists bench");
  BuildMainWindowContents(app.mainWindow);
  ShowWindow(app.mainWindow, SW_SHOW);
  UpdateWindow(app.mainWindow);
  CompleteMainWindowContents(app.mainWindow);
  ListViewsReady(App().favourites);
  // As the program runs: its gadgets painted by the colour layer.
  if (ApplyMainWindowDarkLook(app.mainWindow)) SetPanelPageColor(DarkBase);
  ColourMainWindowGadgets();
  std::printf("in process, %d entries in the three lists; main window built and shown in %.1f ms\n",
              kInProcessEntries, NowMs() - windowStart);
  PrintUsage("before loading:");

  std::vector<double> parses, fulls, longest;
  for (int round = 1; round <= rounds; ++round) {
    const double parse = TimeParse(kInProcessEntries);
    const LoadFigures f = TimeLoad(kInProcessEntries, waitForIcons);
    std::printf("  round %d: read + parse %6.1f ms, lists full %7.1f ms, %s %7.1f ms, longest UI message "
                "%5.1f ms (%s)\n",
                round, parse, f.full, waitForIcons ? "icons in" : "loader ended", f.idle, f.longest,
                f.longestWhat.c_str());
    PrintUsage("with the lists full:");
    ClearLists();
    parses.push_back(parse);
    fulls.push_back(f.full);
    longest.push_back(f.longest);
  }
  PrintUsage("after clearing:");
  PrintResult(ResultLine("list_load_ratio", SpreadOf(RoundRatios(fulls, parses))));
  PrintResult(ResultLine("list_load_longest_message_ms", SpreadOf(longest)));
  RemoveTrayIcon();
  DestroyWindow(app.mainWindow);
  app.mainWindow = nullptr;
}

// --- The real program ------------------------------------------------------

struct RealStart {
  double shown = -1;         // ms from process creation to the window shown
  double full = -1;          // to the list views counting every entry
  double longestAnswer = 0;  // longest wait for an answer to a message meanwhile
  double longestAfter = 0;   // the same after the lists are full, while their memory settles
  Memory atFull, settled;
};

// Starts Kelvane.exe on `data` and waits for `total` rows in its three list
// views (none: the window shown is the end); with `settle`, then for its
// memory to hold still.
RealStart TimeRealStart(const TempDataFolder& data, int total, bool settle) {
  RealStart r;
  Child kelvane;
  if (!kelvane.Start(Beside(L"Kelvane.exe"), data.Switch())) return r;
  HWND window = kelvane.WaitForWindow(120000);
  if (!window) return r;
  r.shown = NowMs() - kelvane.StartedAt();
  std::atomic<bool> stop{false};
  std::atomic<bool> full{false};
  bool answered = false;
  // After the first answer (the window is usable), the longest wait for one
  // while the lists fill, and apart, after.
  std::thread probe([&] {
    while (!stop) {
      const bool filling = !full;
      const double before = NowMs();
      Answers(window, 5000);
      double& longest = filling ? r.longestAnswer : r.longestAfter;
      if (answered) longest = std::max(longest, NowMs() - before);
      answered = true;
      Sleep(2);
    }
  });
  HWND lists[4] = {};
  while (total > 0 && NowMs() - kelvane.StartedAt() < 120000 && !kelvane.Ended()) {
    int rows = 0;
    for (int kind : kListKinds) {
      if (!lists[kind]) lists[kind] = FindChildWindow(window, kind);
      if (lists[kind]) rows += static_cast<int>(SendMessageW(lists[kind], LVM_GETITEMCOUNT, 0, 0));
    }
    if (rows >= total) {
      r.full = NowMs() - kelvane.StartedAt();
      break;
    }
    // Each count asked is a message the program answers: every 4 ms keeps
    // the figure to a few ms of the hundreds measured without adding much
    // of the load the waits are measured under.
    Sleep(4);
  }
  if (total == 0) r.full = r.shown;
  full = true;
  r.atFull = MemoryOf(kelvane.Process());
  // Icons come in after the rows: the memory is read once it holds still.
  if (settle) r.settled = SettledMemoryOf(kelvane.Process(), 20000);
  stop = true;
  probe.join();
  kelvane.End(WM_COMMAND, CmdQuitter, 60000);
  return r;
}

// The real program on 30,000 entries against itself on none, round by
// round, which one goes first alternating.
void RealLoadRounds(const Targets& targets, int rounds) {
  TempDataFolder full(L"kelvane-lists-bench-30k");
  TempDataFolder empty(L"kelvane-lists-bench-none");
  if (!full.WriteLists(kInProcessEntries, targets)) {
    std::printf("real program: cannot write the lists\n");
    return;
  }
  TimeRealStart(full, kInProcessEntries, false);  // the disk cache, once
  std::vector<double> fulls, shownEmpty, longest;
  for (int round = 1; round <= rounds; ++round) {
    RealStart loaded, bare;
    if (round % 2) {
      bare = TimeRealStart(empty, 0, false);
      loaded = TimeRealStart(full, kInProcessEntries, false);
    } else {
      loaded = TimeRealStart(full, kInProcessEntries, false);
      bare = TimeRealStart(empty, 0, false);
    }
    std::printf("  round %d: Kelvane.exe on %d entries, window shown %7.1f ms, lists full %7.1f ms, longest wait "
                "for an answer %5.1f ms; on none, window shown %7.1f ms\n",
                round, kInProcessEntries, loaded.shown, loaded.full, loaded.longestAnswer, bare.shown);
    if (loaded.full < 0 || bare.shown < 0) continue;
    fulls.push_back(loaded.full);
    shownEmpty.push_back(bare.shown);
    longest.push_back(loaded.longestAnswer);
  }
  PrintResult(ResultLine("list_load_from_start_ratio", SpreadOf(RoundRatios(fulls, shownEmpty))));
  PrintResult(ResultLine("list_load_longest_answer_ms", SpreadOf(longest)));
}

// The real program on `total` favourites, `rounds` starts: the longest
// answer time of each (one start says little of a maximum), the memory of
// the first once settled.
void RealProgram(const Targets& targets, int total, int rounds) {
  TempDataFolder data(L"kelvane-lists-bench-real");
  if (!data.WriteLists(total, targets)) {
    std::printf("real program: cannot write the lists\n");
    return;
  }
  std::printf("real Kelvane.exe, %d favourites in a private data folder\n", total);
  std::vector<double> longest;
  Memory atFull, settled;
  for (int round = 1; round <= rounds; ++round) {
    const RealStart r = TimeRealStart(data, total, round == 1);
    std::printf("  round %d: window shown after %.1f ms, lists full after %.1f ms, longest wait for an answer "
                "while loading %.1f ms\n",
                round, r.shown, r.full, r.longestAnswer);
    if (round == 1) std::printf("           then, while the icons come for 20 s at most, %.1f ms\n", r.longestAfter);
    if (r.full < 0) continue;
    longest.push_back(r.longestAnswer);
    if (round == 1) {
      atFull = r.atFull;
      settled = r.settled;
      PrintResult(ResultLine("favourites_" + std::to_string(total) + "_longest_answer_after_ms", r.longestAfter));
    }
  }
  std::printf("  memory with the lists full: private %.1f MB, working set %.1f MB\n", atFull.privateMb,
              atFull.workingSetMb);
  std::printf("  memory %s: private %.1f MB, working set %.1f MB\n",
              settled.settled ? "settled" : "still growing after 20 s of icons", settled.privateMb,
              settled.workingSetMb);
  if (longest.empty()) return;
  PrintResult(ResultLine("favourites_" + std::to_string(total) + "_private_mb", settled.privateMb));
  PrintResult(ResultLine("favourites_" + std::to_string(total) + "_longest_answer_ms", SpreadOf(longest)));
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const int realTotal = argc > 2 ? std::max(0, std::atoi(argv[2])) : 100000;
  const bool waitForIcons = argc > 3 && std::string(argv[3]) == "icons";
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  BuildCatalog();

  const Targets targets = SystemTargets();
  if (targets.Empty()) {
    std::printf("no system files to point at\n");
    return 1;
  }
  std::printf("targets: %zu programs, %zu documents and folders\n", targets.programs.size(),
              targets.documents.size());
  {
    TempDataFolder folder(L"kelvane-lists-bench");
    if (!folder.WriteLists(kInProcessEntries, targets)) {
      std::printf("cannot write the lists\n");
      return 1;
    }
    InProcess(folder.Path(), rounds, waitForIcons);
  }
  if (realTotal > 0) {
    RealLoadRounds(targets, rounds);
    RealProgram(targets, realTotal, rounds);
  }
  return 0;
}
