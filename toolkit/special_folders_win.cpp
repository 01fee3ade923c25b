#include "toolkit/special_folders_win.h"
#include "toolkit/path_parts.h"

#include <windows.h>
#include <shlobj.h>
#include <userenv.h>

#include "toolkit/handle_win.h"

namespace kelvane {

std::wstring UserProfileFolder() {
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    const UniqueKernelHandle owned(token);
    wchar_t buffer[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (GetUserProfileDirectoryW(token, buffer, &length)) return WithTrailingBackslash(buffer);
  }
  return SpecialFolderPath(CSIDL_PROFILE);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder;
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  return WithTrailingBackslash(std::wstring(folder, length < MAX_PATH ? length : 0));
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
