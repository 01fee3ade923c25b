#include "explorer/shell_file_ops_win.h"

#include <shellapi.h>

#include <new>

#include "explorer/path_list.h"

namespace kelvane {
namespace {

// A list holding no path is just its two terminating NULs.
bool IsEmptyList(const std::wstring& list) { return list.empty() || list[0] == L'\0'; }

bool RunOperation(UINT func, std::span<const std::wstring> sources, const std::span<const std::wstring>* destinations,
                  const std::wstring& progressTitle, HWND owner, WORD flags) {
  std::wstring from;
  std::wstring to;
  try {
    from = BuildPathList(sources);
    if (destinations) to = BuildPathList(*destinations);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (IsEmptyList(from)) return true;

  SHFILEOPSTRUCTW op{};
  op.hwnd = owner ? owner : GetForegroundWindow();
  op.wFunc = func;
  op.pFrom = from.c_str();
  op.pTo = destinations ? to.c_str() : nullptr;
  op.fFlags = flags;
  op.lpszProgressTitle = progressTitle.c_str();
  const int rc = SHFileOperationW(&op);
  // An abort in the shell's progress window is the user's choice, not a
  // failure to report.
  return rc == 0 || op.fAnyOperationsAborted;
}

}  // namespace

bool ShellCopyFiles(std::span<const std::wstring> sources, std::span<const std::wstring> destinations,
                    const std::wstring& progressTitle, HWND owner, WORD flags) {
  return RunOperation(FO_COPY, sources, &destinations, progressTitle, owner, flags);
}

bool ShellMoveFiles(std::span<const std::wstring> sources, std::span<const std::wstring> destinations,
                    const std::wstring& progressTitle, HWND owner, WORD flags) {
  return RunOperation(FO_MOVE, sources, &destinations, progressTitle, owner, flags);
}

bool ShellDeleteFiles(std::span<const std::wstring> sources, const std::wstring& progressTitle, HWND owner,
                      WORD flags) {
  return RunOperation(FO_DELETE, sources, nullptr, progressTitle, owner, flags);
}

bool RecycleFile(const std::wstring& path) {
  if (path.empty()) return false;
  std::wstring from;
  try {
    from = path;
    from.push_back(L'\0');  // with c_str()'s own NUL: the double terminator
  } catch (const std::bad_alloc&) {
    return false;
  }
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = kRecycleFlags;
  const int rc = SHFileOperationW(&op);
  // The item stays where it was when the user declines the shell's question.
  return rc == 0 && !op.fAnyOperationsAborted;
}

}  // namespace kelvane
