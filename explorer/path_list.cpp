#include "explorer/path_list.h"

namespace kelvane {

std::wstring StripFinalBackslash(std::wstring_view path) {
  if (path.empty() || path.back() != L'\\') return std::wstring(path);
  // "\" and "X:\" are roots; without the backslash they would name the
  // current directory instead.
  if (path.size() == 1) return std::wstring(path);
  if (path.size() == 3 && path[1] == L':') return std::wstring(path);
  return std::wstring(path.substr(0, path.size() - 1));
}

std::wstring BuildPathList(std::span<const std::wstring> paths) {
  std::wstring list;
  bool endedByEmpty = false;
  for (const std::wstring& path : paths) {
    if (path.empty()) {
      endedByEmpty = true;
      break;
    }
    list += StripFinalBackslash(path);
    list.push_back(L'\0');
  }
  // The empty element that ends the array keeps its own NUL, then the final
  // terminator: {"C:\a.txt", ""} gives "C:\a.txt" and three NULs.
  if (endedByEmpty) list.push_back(L'\0');
  list.push_back(L'\0');
  if (list.size() < 2) list.push_back(L'\0');
  return list;
}

}  // namespace kelvane
