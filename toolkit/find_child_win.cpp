#include "toolkit/find_child_win.h"

namespace kelvane {

HWND FindChildWindow(HWND parent, int id, const wchar_t* className) {
  struct Search {
    int id;
    const wchar_t* className;
    HWND found;
  } search{id, className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        if (s->className) {
          wchar_t name[64] = {};
          GetClassNameW(child, name, 64);
          if (lstrcmpiW(name, s->className) != 0) return TRUE;
        }
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace kelvane
