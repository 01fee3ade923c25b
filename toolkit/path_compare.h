#pragma once
// Comparing paths as Windows file systems compare names: ordinal, with letter
// case ignored over the whole Basic Multilingual Plane (the simple upper-case
// mapping NTFS keeps in its upcase table), "/" taken as "\", and final
// backslashes ignored. "C:\Données\Été" and "c:/DONNÉES/été/" name one folder;
// a comparison that folds ASCII only would take them for two.
#include <string>
#include <string_view>

namespace kelvane {

// The upper-case form the file system compares; unchanged outside the BMP.
wchar_t UpcasePathChar(wchar_t c);

bool SamePath(std::wstring_view a, std::wstring_view b);

// True when `path` lies somewhere below `folder` (not the folder itself).
bool IsInsideFolder(std::wstring_view path, std::wstring_view folder);

// True for `path` equal to `folder` or below it.
bool IsSameOrInsideFolder(std::wstring_view path, std::wstring_view folder);

// A path that names a whole volume by its root: "C:", "C:\", "\\server\share",
// "\\?\C:\" (a folder where a volume is mounted is found by the Windows side,
// see IsProtectedFolder).
bool IsVolumeRootPath(std::wstring_view path);

}  // namespace kelvane
