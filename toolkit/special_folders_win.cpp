#include "toolkit/special_folders_win.h"

#include <windows.h>
#include <shlobj.h>

namespace kelvane {

std::wstring WithTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  return path;
}

std::wstring SpecialFolderPath(int csidl) {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return {};
  wchar_t buffer[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListW(pidl, buffer);
  CoTaskMemFree(pidl);
  return ok ? WithTrailingBackslash(buffer) : std::wstring();
}

}  // namespace kelvane
