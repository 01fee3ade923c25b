#include "lists/target_check.h"

#include "toolkit/path_compare.h"

namespace kelvane {

bool IsCheckableTarget(std::wstring_view target) {
  if (target.size() < 3 || target[1] != L':' || (target[2] != L'\\' && target[2] != L'/')) return false;
  const wchar_t drive = static_cast<wchar_t>(target[0] | 0x20);
  if (drive < L'a' || drive > L'z') return false;
  return target.find(L'%') == std::wstring_view::npos;
}

std::wstring TargetKey(std::wstring_view target) {
  std::wstring key(target);
  for (wchar_t& c : key) c = c == L'/' ? L'\\' : UpcasePathChar(c);
  while (key.size() > 3 && key.back() == L'\\') key.pop_back();
  return key;
}

}  // namespace kelvane
