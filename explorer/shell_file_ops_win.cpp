#include "explorer/shell_file_ops_win.h"

#include <shellapi.h>

#include <new>

#include "explorer/path_list.h"
#include "toolkit/protected_folders_win.h"

namespace kelvane {
namespace {

// A list holding no path is just its two terminating NULs.
bool IsEmptyList(const std::wstring& list) { return list.empty() || list[0] == L'\0'; }

// The paths the shell would take: those before the first empty element.
std::span<const std::wstring> ListedPaths(std::span<const std::wstring> paths) {
  size_t count = 0;
  while (count < paths.size() && !paths[count].empty()) ++count;
  return paths.first(count);
}

void SetReason(std::wstring* reason, std::wstring text) {
  if (reason) *reason = std::move(text);
}

// Deleting or moving one of these would take a whole drive, the system or
// the user's profile with it, whoever asks.
bool RefuseProtected(std::span<const std::wstring> sources, std::wstring* reason) {
  const std::span<const std::wstring> listed = ListedPaths(sources);
  if (listed.empty()) return false;  // nothing to do, nothing to refuse
  const std::wstring refused = FirstProtectedPath(listed);
  if (refused.empty()) return false;
  SetReason(reason, L"\u00AB " + refused + L" \u00BB est un lecteur, le dossier Windows ou votre dossier "
                    L"personnel : il ne peut \u00EAtre ni supprim\u00E9 ni d\u00E9plac\u00E9.");
  return true;
}

bool RunOperation(UINT func, std::span<const std::wstring> sources, const std::span<const std::wstring>* destinations,
                  const std::wstring& progressTitle, HWND owner, WORD flags, std::wstring* reason) {
  if (func != FO_COPY && RefuseProtected(sources, reason)) return false;
  std::wstring from;
  std::wstring to;
  try {
    from = BuildPathList(sources);
    if (destinations) to = BuildPathList(*destinations);
  } catch (const std::bad_alloc&) {
    SetReason(reason, ShellErrorText(ERROR_NOT_ENOUGH_MEMORY));
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
  if (rc == 0 || op.fAnyOperationsAborted) return true;
  SetReason(reason, ShellErrorText(static_cast<DWORD>(rc)));
  return false;
}

}  // namespace

std::wstring ShellErrorText(DWORD code) {
  // The shell's own codes from before Win32, which FormatMessageW would
  // read as unrelated system errors.
  switch (code) {
    case 0x71:
      return L"La source et la destination sont le m\u00EAme fichier.";
    case 0x74:
      return L"La source est la racine d'un lecteur.";
    case 0x76:
    case 0x7D:
      return L"La destination se trouve dans le dossier source.";
    case 0x78:
      return L"Acc\u00E8s refus\u00E9 \u00E0 la source.";
    case 0x79:
    case 0x81:
      return L"Le chemin est trop long.";
    case 0x7C:
    case 0x402:
      return L"Un fichier ou un dossier est introuvable.";
    case 0x7E:
    case 0x80:
      return L"Un fichier et un dossier portent le m\u00EAme nom \u00E0 la destination.";
    case 0x10000:
      return L"Erreur sur la destination.";
    default:
      break;
  }
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = length && text ? std::wstring(text, length) : std::wstring();
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) {
    reason.pop_back();
  }
  return reason.empty() ? L"Erreur syst\u00E8me " + std::to_wstring(code) + L"." : reason;
}

bool ShellCopyFiles(std::span<const std::wstring> sources, std::span<const std::wstring> destinations,
                    const std::wstring& progressTitle, HWND owner, WORD flags, std::wstring* reason) {
  return RunOperation(FO_COPY, sources, &destinations, progressTitle, owner, flags, reason);
}

bool ShellMoveFiles(std::span<const std::wstring> sources, std::span<const std::wstring> destinations,
                    const std::wstring& progressTitle, HWND owner, WORD flags, std::wstring* reason) {
  return RunOperation(FO_MOVE, sources, &destinations, progressTitle, owner, flags, reason);
}

bool ShellDeleteFiles(std::span<const std::wstring> sources, const std::wstring& progressTitle, HWND owner,
                      WORD flags, std::wstring* reason) {
  return RunOperation(FO_DELETE, sources, nullptr, progressTitle, owner, flags, reason);
}

bool RecycleFile(const std::wstring& path, std::wstring* reason) {
  if (path.empty()) return false;
  if (RefuseProtected(std::span<const std::wstring>(&path, 1), reason)) return false;
  std::wstring from;
  try {
    from = path;
    from.push_back(L'\0');  // with c_str()'s own NUL: the double terminator
  } catch (const std::bad_alloc&) {
    SetReason(reason, ShellErrorText(ERROR_NOT_ENOUGH_MEMORY));
    return false;
  }
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = kRecycleFlags;
  const int rc = SHFileOperationW(&op);
  // The item stays where it was when the user declines the shell's question.
  if (rc == 0 && !op.fAnyOperationsAborted) return true;
  SetReason(reason, rc ? ShellErrorText(static_cast<DWORD>(rc)) : std::wstring());
  return false;
}

}  // namespace kelvane
