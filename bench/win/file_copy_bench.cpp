// File copy benchmark: a folder of small files copied the way the
// explorer's "Copier vers..." does it (selection collected from the rows,
// path lists built, the shell wrapper with the program's title and flags)
// against the same SHFileOperationW call made directly. The program should
// add nothing measurable: within 5 %. Rounds alternate which way goes first;
// the figure is the median of the rounds' ratios, with its quartiles, which
// must lie closer together than 5 % for the figure to say anything.
//   file_copy_bench [files] [rounds]     (100 and 41 by default)
// Prints its figures and a RESULT line; run under Wine by tools/bench.sh.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/win/bench_lists_win.h"
#include "explorer/explorer_selection.h"
#include "explorer/shell_file_ops_win.h"

namespace {

using namespace kelvane::bench;

int kFiles = 100;   // the first argument changes it
int kRounds = 41;   // the second argument changes it

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / frequency;
}

int CountFiles(const std::wstring& folder) {
  int count = 0;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

// The program's way: the folder's row selected among others, collected,
// then the wrapper as CopyOrMoveSelection calls it.
bool CopyThroughProgram(const std::wstring& parent, const std::wstring& destination) {
  const std::vector<kelvane::FolderRowInfo> rows{{L"..", false}, {L"source", true}, {L"other", false}};
  const std::vector<std::wstring> sources = kelvane::CollectSelectedPaths(parent, rows);
  const std::vector<std::wstring> target{destination};
  return kelvane::ShellCopyFiles(sources, target, L"Copie", nullptr, kelvane::kCopyFlags);
}

bool CopyDirectly(const std::wstring& parent, const std::wstring& destination) {
  std::wstring from = parent + L"source";
  from.push_back(L'\0');
  std::wstring to = destination;
  to.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.hwnd = GetForegroundWindow();
  op.wFunc = FO_COPY;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = 0x610;
  op.lpszProgressTitle = L"Copie";
  return SHFileOperationW(&op) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) kFiles = std::max(1, std::atoi(argv[1]));
  if (argc > 2) kRounds = std::max(1, std::atoi(argv[2]));
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring parent = std::wstring(temp) + L"kelvane-copy-bench-" + std::to_wstring(GetTickCount()) + L"\\";
  const std::wstring source = parent + L"source";
  CreateDirectoryW(parent.c_str(), nullptr);
  CreateDirectoryW(source.c_str(), nullptr);
  const std::string content(200, 'k');
  for (int i = 0; i < kFiles; ++i) {
    const std::wstring path = source + L"\\file" + std::to_wstring(i) + L".txt";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
  }
  std::fflush(stdout);
  std::printf("copy of a folder of %d files of %zu bytes, %d rounds each\n", kFiles, content.size(), kRounds);

  std::vector<double> program, direct;
  bool allCopied = true;
  for (int round = 0; round < kRounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool throughProgram = (round + turn) % 2 == 0;
      const std::wstring destination = parent + (throughProgram ? L"by-program" : L"direct");
      CreateDirectoryW(destination.c_str(), nullptr);
      const double start = Now();
      const bool ok = throughProgram ? CopyThroughProgram(parent, destination) : CopyDirectly(parent, destination);
      const double elapsed = Now() - start;
      allCopied = allCopied && ok && CountFiles(destination + L"\\source") == kFiles;
      (throughProgram ? program : direct).push_back(elapsed);
      std::printf("  round %d %s: %.1f ms\n", round + 1, throughProgram ? "program" : "direct ", elapsed);
      std::fflush(stdout);
      RemoveTree(destination);
    }
  }
  const std::vector<double> ratios = RoundRatios(program, direct);
  const Spread ratio = SpreadOf(ratios);
  const auto interval = MedianInterval(ratios);
  std::printf("through the program: median %.1f ms\n", Median(program));
  std::printf("SHFileOperationW directly: median %.1f ms\n", Median(direct));
  std::printf("ratio, round by round: median %.3f, quartiles %.3f - %.3f (goal: within 1.05)%s\n", ratio.median,
              ratio.low, ratio.high, allCopied ? "" : "  -- SOME COPIES INCOMPLETE");
  std::printf("the median lies between %.3f and %.3f (95 %% interval): %s\n", interval.first, interval.second,
              (interval.second - interval.first) / 2 <= 0.05 ? "resolves 5 %" : "does not resolve 5 %, more rounds needed");
  if (allCopied) PrintResult(ResultLine("copy_ratio", ratio));
  RemoveTree(parent.substr(0, parent.size() - 1));
  return allCopied ? 0 : 1;
}
