// Start-up benchmark: Kelvane.exe against the bare window program built the
// same way (minimal_window_gui.exe), round by round, which one goes first
// alternating. For each start: the time from process creation to its window
// shown, and to the first answer of that window to a message (when it is
// usable). Then the memory of each, settled: Kelvane with 1,000 favourites
// and its explorer tab shown (on the documents folder, which tools/bench.sh
// fills with 1,000 files) against the bare window's.
//   startup_bench [rounds] [memory rounds]      (21 and 3 by default)
// Prints its figures and RESULT lines; run under Wine by tools/bench.sh.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/ids.h"
#include "bench/bench_figures.h"
#include "bench/win/bench_lists_win.h"
#include "bench/win/bench_process_win.h"
#include "toolkit/find_child_win.h"

namespace {

using namespace kelvane;
using namespace kelvane::bench;

constexpr int kFavourites = 1000;
constexpr double kTimeoutMs = 60000;

struct Start {
  double shown = -1;   // ms from process creation to the window shown
  double answer = -1;  // ms to the first answer to a message after that
};

struct Side {
  std::wstring exe;
  std::wstring arguments;
};

Start TimeStart(const Side& side) {
  Start start;
  Child child;
  if (!child.Start(side.exe, side.arguments)) return start;
  HWND window = child.WaitForWindow(kTimeoutMs);
  if (!window) return start;
  start.shown = NowMs() - child.StartedAt();
  if (Answers(window, static_cast<UINT>(kTimeoutMs))) start.answer = NowMs() - child.StartedAt();
  child.End(WM_COMMAND, CmdQuitter, 30000);  // the bare window quits on the same command
  return start;
}

// Rows of the list view with that gadget number among the window's children.
int RowsOf(HWND window, int gadget) {
  HWND list = FindChildWindow(window, gadget, WC_LISTVIEWW);
  return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

int FavouriteRows(HWND window) {
  int rows = 0;
  for (int kind : kListKinds) rows += std::max(RowsOf(window, kind), 0);
  return rows;
}

struct MemoryRound {
  double bare = -1, kelvane = -1;
  int favourites = 0, explorerRows = 0;
};

// The settled private memory of a program once its window answers; for
// Kelvane, once its lists are full and its explorer tab shows the folder.
double SettledMemory(const Side& side, bool isKelvane, MemoryRound* round) {
  Child child;
  if (!child.Start(side.exe, side.arguments)) return -1;
  HWND window = child.WaitForWindow(kTimeoutMs);
  if (!window || !Answers(window, static_cast<UINT>(kTimeoutMs))) return -1;
  if (isKelvane) {
    SendMessageW(window, WM_COMMAND, CmdTrayExplorateur, 0);
    // The explorer's listing runs apart: its row count stops growing.
    int lastRows = -2;
    while (NowMs() - child.StartedAt() < kTimeoutMs) {
      round->favourites = FavouriteRows(window);
      round->explorerRows = RowsOf(window, kExplorerList);
      if (round->favourites >= kFavourites && round->explorerRows == lastRows) break;
      lastRows = round->explorerRows;
      Sleep(100);
    }
    Answers(window, static_cast<UINT>(kTimeoutMs));
  }
  const double mb = SettledMemoryOf(child.Process(), 10000).privateMb;
  child.End(WM_COMMAND, CmdQuitter, 30000);
  return mb;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const int memoryRounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const Targets targets = SystemTargets();
  if (targets.Empty()) {
    std::printf("no system files to point at\n");
    return 1;
  }
  TempDataFolder data(L"kelvane-startup-bench");
  if (!data.WriteLists(kFavourites, targets)) {
    std::printf("cannot write the lists in %ls\n", data.Path().c_str());
    return 1;
  }
  const Side bare{Beside(L"minimal_window_gui.exe"), {}};
  const Side kelvane{Beside(L"Kelvane.exe"), data.Switch()};

  // One start each first: the first start also pays for the disk cache.
  TimeStart(bare);
  TimeStart(kelvane);
  std::vector<double> bareShown, bareAnswer, shown, answer;
  for (int round = 0; round < rounds; ++round) {
    Start k, b;
    if (round % 2 == 0) {
      b = TimeStart(bare);
      k = TimeStart(kelvane);
    } else {
      k = TimeStart(kelvane);
      b = TimeStart(bare);
    }
    if (k.shown < 0 || k.answer < 0 || b.shown < 0 || b.answer < 0) {
      std::printf("round %d failed (bare %.1f / %.1f, Kelvane %.1f / %.1f ms)\n", round + 1, b.shown, b.answer,
                  k.shown, k.answer);
      return 1;
    }
    bareShown.push_back(b.shown);
    bareAnswer.push_back(b.answer);
    shown.push_back(k.shown);
    answer.push_back(k.answer);
  }
  std::printf("start-up, %d rounds, Kelvane with %d favourites (ms from process creation):\n", rounds, kFavourites);
  PrintSpread("bare window, shown", bareShown);
  PrintSpread("Kelvane.exe, shown", shown);
  PrintSpread("bare window, first answer", bareAnswer);
  PrintSpread("Kelvane.exe, first answer", answer);
  const std::vector<double> shownRatios = RoundRatios(shown, bareShown);
  const std::vector<double> answerRatios = RoundRatios(answer, bareAnswer);
  PrintSpread("ratio shown (round by round)", shownRatios);
  PrintSpread("ratio first answer (round by round)", answerRatios);
  PrintResult(ResultLine("startup_shown_ratio", SpreadOf(shownRatios)));
  PrintResult(ResultLine("startup_answer_ratio", SpreadOf(answerRatios)));

  std::vector<double> bareMb, kelvaneMb;
  MemoryRound last;
  for (int round = 0; round < memoryRounds; ++round) {
    MemoryRound m;
    m.bare = SettledMemory(bare, false, &m);
    m.kelvane = SettledMemory(kelvane, true, &m);
    if (m.bare < 0 || m.kelvane < 0) {
      std::printf("memory round %d failed\n", round + 1);
      return 1;
    }
    bareMb.push_back(m.bare);
    kelvaneMb.push_back(m.kelvane);
    last = m;
  }
  std::printf("private memory, %d rounds (MB), Kelvane with %d favourites rows and %d explorer rows:\n",
              memoryRounds, last.favourites, last.explorerRows);
  PrintSpread("bare window", bareMb);
  PrintSpread("Kelvane.exe", kelvaneMb);
  PrintResult(ResultLine("memory_1k_over_bare_mb", SpreadOf(RoundDifferences(kelvaneMb, bareMb))));
  PrintResult(ResultLine("memory_1k_explorer_rows", static_cast<double>(last.explorerRows)));
  return 0;
}
