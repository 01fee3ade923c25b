#include "lists/favourite_store_win.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>

#include "lists/dead_targets_win.h"
#include "lists/list_rules.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/shell_icons_win.h"

namespace kelvane {
namespace {

HWND ViewOf(int kind) { return IsListKind(kind) ? Gadget(kind) : nullptr; }

// PlaceholderIcon has been looked up: the first lookup builds the shell's
// image list, for tens of milliseconds, which a paint must never do.
std::atomic<bool> g_placeholderKnown{false};

// The shell's icon for a file of no known type.
int PlaceholderIcon() {
  static const int icon = [] {
    const int found = SmallTypeIcon(L"kelvane");
    g_placeholderKnown = true;
    return found;
  }();
  return icon;
}

// ShownIcon for a paint: a row without an icon shows none until the
// placeholder is known (the view holds a blank stand-in till then).
int PaintedIcon(int kind, int icon) {
  if (icon < 0 && kind != kLinksKind && !g_placeholderKnown) return I_IMAGENONE;
  return ShownIcon(kind, icon);
}

void CopyText(std::wstring_view text, wchar_t* into, int room) {
  if (!into || room <= 0) return;
  const size_t length = std::min(text.size(), static_cast<size_t>(room) - 1);
  text.copy(into, length);
  into[length] = L'\0';
}

void GiveDisplayInfo(const FavouriteList& list, LVITEMW& item) {
  if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= list.Count()) return;
  const auto row = static_cast<size_t>(item.iItem);
  if (item.mask & LVIF_TEXT) {
    CopyText(item.iSubItem == 1 ? list.Target(row) : list.Name(row), item.pszText, item.cchTextMax);
  }
  if (item.mask & LVIF_IMAGE) item.iImage = PaintedIcon(list.Kind(), list.Icon(row));
}

// Type-ahead: the list view asks for the row whose name begins with what was
// typed, from the row after the focused one.
int FindTypedRow(const FavouriteList& list, const NMLVFINDITEMW& find) {
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || list.Empty()) return -1;
  const size_t start = find.iStart < 0 ? 0 : static_cast<size_t>(find.iStart) % list.Count();
  const int row = list.FindTyped(find.lvfi.psz, start);
  // Without LVFI_WRAP a match before the start does not count.
  if (row >= 0 && !(find.lvfi.flags & LVFI_WRAP) && static_cast<size_t>(row) < start) return -1;
  if (row >= 0 && !(find.lvfi.flags & LVFI_PARTIAL) &&
      list.Name(static_cast<size_t>(row)).size() != std::wstring_view(find.lvfi.psz).size()) {
    return -1;
  }
  return row;
}

}  // namespace

FavouriteStore::FavouriteStore(ProgramContext& context)
    : context_(context),
      lists_{FavouriteList(kAppsKind), FavouriteList(kFilesKind), FavouriteList(kLinksKind)} {}

FavouriteList& FavouriteStore::List(int kind) {
  if (!IsListKind(kind)) throw std::out_of_range("FavouriteStore::List");
  return lists_[static_cast<size_t>(kind - 1)];
}

const FavouriteList& FavouriteStore::List(int kind) const {
  if (!IsListKind(kind)) throw std::out_of_range("FavouriteStore::List");
  return lists_[static_cast<size_t>(kind - 1)];
}

void FavouriteStore::ShowCount(int kind) const {
  HWND view = ViewOf(kind);
  if (!view) return;
  const LRESULT shown = SendMessageW(view, LVM_GETITEMCOUNT, 0, 0);
  // Setting the same count again costs as much as a new one (scroll bars).
  if (shown >= 0 && static_cast<size_t>(shown) == List(kind).Count()) return;
  const bool wasEmpty = shown == 0;
  SendMessageW(view, LVM_SETITEMCOUNT, List(kind).Count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  // An empty list shows a hint in its body, which the first rows replace.
  if (wasEmpty) InvalidateRect(view, nullptr, TRUE);
}

void FavouriteStore::ShowRows(int kind, int first, int last, bool now) const {
  HWND view = ViewOf(kind);
  if (!view || first > last) return;
  // The rows on screen, the partly shown last one included.
  const auto top = static_cast<int>(SendMessageW(view, LVM_GETTOPINDEX, 0, 0));
  const auto end = top + static_cast<int>(SendMessageW(view, LVM_GETCOUNTPERPAGE, 0, 0));
  first = std::max(first, top);
  last = std::min(last, end);
  if (first > last) return;
  SendMessageW(view, LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
  if (now) UpdateWindow(view);
}

int ShownIcon(int kind, int icon) {
  if (kind == kLinksKind) return 0;
  if (icon < 0) icon = PlaceholderIcon();
  return icon >= 0 ? icon : I_IMAGENONE;
}

bool HandleFavouriteListNotify(const FavouriteStore& store, const NMHDR* header, LRESULT* result) {
  const int kind = static_cast<int>(header->idFrom);
  if (!IsListKind(kind) || header->hwndFrom != ViewOf(kind)) return false;
  const FavouriteList& list = store.List(kind);
  if (header->code == LVN_GETDISPINFOW) {
    GiveDisplayInfo(list, reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item);
    *result = 0;
    return true;
  }
  if (header->code == LVN_ODFINDITEMW) {
    *result = FindTypedRow(list, *reinterpret_cast<const NMLVFINDITEMW*>(header));
    return true;
  }
  return HandleDeadTargetNotify(store, header, result);
}

}  // namespace kelvane
