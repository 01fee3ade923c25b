#include "toolkit/shortcut_target_win.h"

#include <shlobj.h>

#include <cwchar>

#include "toolkit/handle_win.h"

namespace kelvane {

std::wstring ShortcutTarget(const std::wstring& linkFile) {
  // GetPath only reads what the shortcut holds; Resolve would go looking.
  UniqueCom<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.put())))) {
    return {};
  }
  UniqueCom<IPersistFile> file;
  if (FAILED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) ||
      FAILED(file.get()->Load(linkFile.c_str(), STGM_READ))) {
    return {};
  }
  std::wstring target(MAX_PATH * 4, L'\0');
  if (link.get()->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0) != S_OK) return {};
  target.resize(wcslen(target.c_str()));
  return target;
}

bool HasShortcutExtension(std::wstring_view name) {
  if (name.size() < 4) return false;
  const std::wstring_view end = name.substr(name.size() - 4);
  return CompareStringOrdinal(end.data(), 4, L".lnk", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace kelvane
