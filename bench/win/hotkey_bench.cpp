// Hotkey benchmark: Kelvane.exe (1,000 favourites, window hidden in the tray)
// is sent its quick-open hotkey, and the time is taken until the box is shown
// with the focus in its text field; the box is then sent away by the hotkey
// again. The yardstick, interleaved round by round, is the time the bare
// window program (minimal_window_gui.exe) takes from process creation to its
// window shown.
//   hotkey_bench [rounds]      (21 by default)
// Prints its figures and RESULT lines; run under Wine by tools/bench.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "catalog/ids.h"
#include "app/quick_hotkey.h"
#include "bench/bench_figures.h"
#include "bench/win/bench_lists_win.h"
#include "bench/win/bench_process_win.h"
#include "quickopen/quick_box_win.h"

namespace {

using namespace kelvane;
using namespace kelvane::bench;

constexpr int kFavourites = 1000;
constexpr double kTimeoutMs = 60000;

// Polls `done` every millisecond; false after `timeoutMs`.
template <typename Done>
bool WaitUntil(Done done, double timeoutMs) {
  const double start = NowMs();
  while (!done()) {
    if (NowMs() - start > timeoutMs) return false;
    Sleep(1);
  }
  return true;
}

// The quick-open box of the process `processId`, shown or not; nullptr
// before its first showing.
HWND QuickBoxOf(DWORD processId) {
  HWND box = nullptr;
  while ((box = FindWindowExW(nullptr, box, kQuickBoxClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    if (owner == processId) return box;
  }
  return nullptr;
}

// True when the box is visible and its thread's focus is in the text field.
bool BoxReady(DWORD processId) {
  HWND box = QuickBoxOf(processId);
  if (!box || !IsWindowVisible(box)) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) &&
         info.hwndFocus == GetDlgItem(box, kQuickField);
}

// No window of the process shown: the box and the main window are both away.
bool AllHidden(const Child& child) { return child.VisibleWindow() == nullptr; }

double BareShown(const std::wstring& exe) {
  Child child;
  if (!child.Start(exe)) return -1;
  if (!child.WaitForWindow(kTimeoutMs)) return -1;
  const double shown = NowMs() - child.StartedAt();
  child.End(WM_COMMAND, CmdQuitter, 30000);
  return shown;
}

// One hotkey round on the hidden program: ms from the message posted to the
// box ready, or -1; the box and the main window are hidden again after.
double HotkeyRound(const Child& kelvane, HWND main) {
  const DWORD id = GetProcessId(kelvane.Process());
  const double posted = NowMs();
  PostMessageW(main, WM_HOTKEY, kQuickHotKeyId, 0);
  if (!WaitUntil([&] { return BoxReady(id); }, kTimeoutMs)) return -1;
  const double ready = NowMs() - posted;
  PostMessageW(main, WM_HOTKEY, kQuickHotKeyId, 0);
  if (!WaitUntil([&] { return AllHidden(kelvane); }, kTimeoutMs)) return -1;
  // Let the hiding's last messages go before the next round.
  return Answers(main, static_cast<UINT>(kTimeoutMs)) ? ready : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const Targets targets = SystemTargets();
  if (targets.Empty()) {
    std::printf("no system files to point at\n");
    return 1;
  }
  TempDataFolder data(L"kelvane-hotkey-bench");
  if (!data.WriteLists(kFavourites, targets)) {
    std::printf("cannot write the lists in %ls\n", data.Path().c_str());
    return 1;
  }
  const std::wstring bare = Beside(L"minimal_window_gui.exe");
  Child kelvane;
  HWND main = nullptr;
  if (!kelvane.Start(Beside(L"Kelvane.exe"), data.Switch()) || !(main = kelvane.WaitForWindow(kTimeoutMs)) ||
      !Answers(main, static_cast<UINT>(kTimeoutMs))) {
    std::printf("Kelvane.exe did not start\n");
    return 1;
  }
  // Closing the window sends it to the tray.
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!WaitUntil([&] { return AllHidden(kelvane); }, kTimeoutMs) || !Answers(main, static_cast<UINT>(kTimeoutMs))) {
    std::printf("Kelvane.exe did not go to the tray\n");
    return 1;
  }
  // One of each first: the box is made at its first showing, the bare
  // program's files come into the disk cache.
  BareShown(bare);
  HotkeyRound(kelvane, main);
  std::vector<double> bareShown, hotkey;
  for (int round = 0; round < rounds; ++round) {
    double k = -1, b = -1;
    if (round % 2 == 0) {
      b = BareShown(bare);
      k = HotkeyRound(kelvane, main);
    } else {
      k = HotkeyRound(kelvane, main);
      b = BareShown(bare);
    }
    if (k < 0 || b < 0) {
      std::printf("round %d failed (bare %.1f, hotkey %.1f ms)\n", round + 1, b, k);
      return 1;
    }
    bareShown.push_back(b);
    hotkey.push_back(k);
  }
  PostMessageW(main, WM_COMMAND, CmdQuitter, 0);
  kelvane.End(0, 0, 30000);

  std::printf("hotkey to the quick-open box, %d rounds, Kelvane hidden with %d favourites (ms):\n", rounds,
              kFavourites);
  PrintSpread("bare window, shown after start", bareShown);
  PrintSpread("hotkey to box shown and focused", hotkey);
  const std::vector<double> ratios = RoundRatios(hotkey, bareShown);
  PrintSpread("ratio (round by round)", ratios);
  PrintResult(ResultLine("hotkey_box_ms", SpreadOf(hotkey)));
  PrintResult(ResultLine("hotkey_box_ratio", SpreadOf(ratios)));
  return 0;
}
