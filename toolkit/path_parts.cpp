#include "toolkit/path_parts.h"

namespace kelvane {

std::wstring WithTrailingBackslash(std::wstring_view path) {
  std::wstring result(path);
  if (!result.empty() && result.back() != L'\\' && result.back() != L'/') result.push_back(L'\\');
  return result;
}

}  // namespace kelvane
