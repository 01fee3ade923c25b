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

// False when the tabs surely run past the control's width in that
// arrangement, so that it need not be tried: their images, padding and
// captions side by side (a caption after its image by the padding's width)
// and what the selected tab stands out by, without the control's margins.
bool MayFit(const TabMetrics& metrics, int arrangement, int selected) {
  const Arrangement& a = kArrangements[arrangement];
  const int padding = Scale(a.padding, metrics.dpi);
  int least = Scale(2, metrics.dpi);  // the selected tab stands out on each side
  for (std::size_t i = 0; i < metrics.captionWidths.size(); ++i) {
    least += metrics.imageSide + 2 * padding;
    const int text = metrics.captionWidths[i];
    if ((a.allCaptions || static_cast<int>(i) == selected) && text > 0) least += padding + text;
  }
  return least <= metrics.width;
}

}  // namespace

void TabCaptions::Attach(HWND tabs, std::vector<std::wstring> captions) {
  tabs_ = tabs;
  captions_ = std::move(captions);
  arranged_ = -1;
  const TabMetrics metrics = Measure();
  int arrangement = 0;
  while (arrangement + 1 < static_cast<int>(std::size(kArrangements)) && !MayFit(metrics, arrangement, 0)) {
    ++arrangement;
  }
  showing_.assign(captions_.size(), true);
  for (std::size_t i = 1; i < captions_.size(); ++i) showing_[i] = kArrangements[arrangement].allCaptions;
  Arrange(arrangement);
}

std::wstring TabCaptions::CaptionToAdd(int index) const {
  const auto i = static_cast<std::size_t>(index);
  return i < captions_.size() && showing_[i] ? captions_[i] : std::wstring();
}

TabMetrics TabCaptions::Measure() const {
  TabMetrics metrics;
  RECT client{};
  GetClientRect(tabs_, &client);
  metrics.width = client.right;
  metrics.dpi = DpiOf(tabs_);
  int unused = 0;
  if (auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(tabs_, TCM_GETIMAGELIST, 0, 0))) {
    ImageList_GetIconSize(images, &metrics.imageSide, &unused);
  }
  metrics.captionWidths.assign(captions_.size(), 0);
  HDC dc = GetDC(tabs_);
  if (!dc) return metrics;
  const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tabs_, WM_GETFONT, 0, 0)));
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    SIZE text{};
    if (GetTextExtentPoint32W(dc, captions_[i].c_str(), static_cast<int>(captions_[i].size()), &text)) {
      metrics.captionWidths[i] = text.cx;
    }
  }
  SelectObject(dc, font);
  ReleaseDC(tabs_, dc);
  return metrics;
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
  const TabMetrics metrics = Measure();
  const int last = static_cast<int>(std::size(kArrangements)) - 1;
  for (int arrangement = 0; arrangement <= last; ++arrangement) {
    if (arrangement < last && !MayFit(metrics, arrangement, selected)) continue;
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
