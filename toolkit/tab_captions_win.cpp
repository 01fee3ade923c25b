#include "toolkit/tab_captions_win.h"

#include <commctrl.h>

#include <cstddef>
#include <iterator>
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
  arranged_ = -1;
  Arrange(0);
}

bool TabCaptions::Arrange(int arrangement) {
  if (arrangement == arranged_) return false;
  const Arrangement& a = kArrangements[arrangement];
  const UINT dpi = DpiOf(tabs_);
  SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(Scale(a.padding, dpi), Scale(3, dpi)));
  SendMessageW(tabs_, TCM_SETMINTABWIDTH, 0, a.allCaptions ? -1 : 0);
  arranged_ = arrangement;
  return true;
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

void TabCaptions::Fit(bool toolTipsNow) {
  if (!tabs_) return;
  const int count = static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0));
  if (count != static_cast<int>(captions_.size())) return;
  const int selected = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
  for (int arrangement = 0; arrangement < static_cast<int>(std::size(kArrangements)); ++arrangement) {
    const bool allCaptions = kArrangements[arrangement].allCaptions;
    const bool padded = Arrange(arrangement);
    // Only the tabs whose caption changes are set, each setting being slow;
    // with none but a new padding, one is set again all the same, for the
    // control to lay its tabs out with it.
    bool laidOut = false;
    for (int i = 0; i < count; ++i) {
      const bool caption = allCaptions || i == selected;
      if (caption == showing_[static_cast<std::size_t>(i)]) continue;
      Show(i, caption);
      laidOut = true;
    }
    if (!laidOut && padded) {
      const int again = selected >= 0 ? selected : 0;
      Show(again, showing_[static_cast<std::size_t>(again)]);
    }
    if (AllInView()) break;
  }
  toolTipsDue_ = true;
  if (toolTipsNow) GiveToolTips();
}

void TabCaptions::GiveToolTips() {
  if (!tabs_ || !toolTipsDue_) return;
  toolTipsDue_ = false;
  const int count = static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0));
  if (count != static_cast<int>(captions_.size())) return;
  for (int i = 0; i < count; ++i) {
    RECT area{};
    SendMessageW(tabs_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&area));
    SetAreaToolTip(tabs_, static_cast<UINT_PTR>(i + 1), area,
                   showing_[static_cast<std::size_t>(i)] ? std::wstring() : captions_[static_cast<std::size_t>(i)]);
  }
}

}  // namespace kelvane
