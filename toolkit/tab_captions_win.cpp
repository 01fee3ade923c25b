#include "toolkit/tab_captions_win.h"

#include <commctrl.h>

#include <cstddef>
#include <utility>

#include "toolkit/dpi_win.h"
#include "toolkit/tool_button_win.h"

namespace kelvane {
namespace {

struct Arrangement {
  int padding;  // on each side of a tab's image and caption, in window units
  bool allCaptions;
};

// The control's own padding first, then tighter, then captions on the
// selected tab only: the others, as narrow as their image, keep the usual
// padding that centres it.
constexpr Arrangement kArrangements[] = {{6, true}, {3, true}, {6, false}};

}  // namespace

void TabCaptions::Attach(HWND tabs, std::vector<std::wstring> captions) {
  tabs_ = tabs;
  captions_ = std::move(captions);
  showing_.assign(captions_.size(), true);
}

void TabCaptions::Show(int index, bool caption) {
  std::wstring text = caption ? captions_[static_cast<std::size_t>(index)] : std::wstring();
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  // Also lays the tabs out again, with the padding just set.
  SendMessageW(tabs_, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
  showing_[static_cast<std::size_t>(index)] = caption;
}

bool TabCaptions::AllInView() const {
  const int count = static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0));
  if (count <= 0) return true;
  RECT client{}, first{}, last{};
  GetClientRect(tabs_, &client);
  SendMessageW(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(tabs_, TCM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  // The selected tab stands out by a little on each side.
  if (first.left < 0 || last.right + Scale(2, DpiOf(tabs_)) > client.right) return false;
  HWND arrows = FindWindowExW(tabs_, nullptr, UPDOWN_CLASSW, nullptr);
  return !arrows || !(GetWindowLongPtrW(arrows, GWL_STYLE) & WS_VISIBLE);
}

void TabCaptions::Fit() {
  if (!tabs_) return;
  const int count = static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0));
  if (count != static_cast<int>(captions_.size())) return;
  const UINT dpi = DpiOf(tabs_);
  const int selected = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
  bool allCaptions = true;
  for (const Arrangement& a : kArrangements) {
    allCaptions = a.allCaptions;
    SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(Scale(a.padding, dpi), Scale(3, dpi)));
    SendMessageW(tabs_, TCM_SETMINTABWIDTH, 0, allCaptions ? -1 : 0);
    // Only the tabs whose caption changes are set, each setting being slow;
    // with none, one is set again all the same, for the new padding.
    bool laidOut = false;
    for (int i = 0; i < count; ++i) {
      const bool caption = allCaptions || i == selected;
      if (caption == showing_[static_cast<std::size_t>(i)]) continue;
      Show(i, caption);
      laidOut = true;
    }
    if (!laidOut) {
      const int again = selected >= 0 ? selected : 0;
      Show(again, showing_[static_cast<std::size_t>(again)]);
    }
    if (AllInView()) break;
  }
  for (int i = 0; i < count; ++i) {
    RECT area{};
    SendMessageW(tabs_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&area));
    const bool captioned = allCaptions || i == selected;
    SetAreaToolTip(tabs_, static_cast<UINT_PTR>(i + 1), area,
                   captioned ? std::wstring() : captions_[static_cast<std::size_t>(i)]);
  }
}

}  // namespace kelvane
