#include "toolkit/protected_folders_win.h"

#include <windows.h>

#include "toolkit/path_compare.h"
#include "toolkit/special_folders_win.h"

namespace kelvane {
namespace {

std::wstring WindowsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
  return (length > 0 && length < MAX_PATH) ? std::wstring(buffer, length) : std::wstring();
}

// A folder where another volume is mounted is that volume's root.
bool IsMountedVolumeFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  wchar_t volume[MAX_PATH] = {};
  return GetVolumePathNameW(path.c_str(), volume, MAX_PATH) && SamePath(volume, path);
}

}  // namespace

bool IsProtectedFolder(std::wstring_view path) {
  // An empty path means the current folder to most file functions.
  if (path.empty() || IsVolumeRootPath(path)) return true;
  const std::wstring windows = WindowsFolder();
  if (!windows.empty() && SamePath(path, windows)) return true;
  const std::wstring profile = UserProfileFolder();
  if (!profile.empty() && SamePath(path, profile)) return true;
  return IsMountedVolumeFolder(std::wstring(path));
}

std::wstring FirstProtectedPath(std::span<const std::wstring> paths) {
  for (const std::wstring& path : paths) {
    if (IsProtectedFolder(path)) return path;
  }
  return {};
}

}  // namespace kelvane
