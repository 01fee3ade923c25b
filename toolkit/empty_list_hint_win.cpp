#include "toolkit/empty_list_hint_win.h"

#include <commctrl.h>

#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/light_subclass_win.h"

namespace kelvane {
namespace {

constexpr int kMargin = 8;  // around the text, at 96 dpi

using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;

// The list's own DC for one scope.
class ListDC {
 public:
  explicit ListDC(HWND list) : list_(list), dc_(GetDC(list)) {}
  ListDC(const ListDC&) = delete;
  ListDC& operator=(const ListDC&) = delete;
  ~ListDC() {
    if (dc_) ReleaseDC(list_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND list_;
  HDC dc_;
};

bool IsEmpty(HWND list) { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0; }

void DrawHint(HWND list, HDC dc, const std::wstring& text) {
  RECT area{};
  GetClientRect(list, &area);
  if (HWND header = ListView_GetHeader(list); header && IsWindowVisible(header)) {
    RECT bar{};
    GetWindowRect(header, &bar);
    area.top += bar.bottom - bar.top;
  }
  const int margin = Scale(kMargin, DpiOf(list));
  InflateRect(&area, -margin, 0);
  area.top += margin;
  if (area.right <= area.left || area.bottom <= area.top) return;
  COLORREF colour = ListView_GetTextColor(list);
  if (colour == CLR_DEFAULT) colour = GetSysColor(COLOR_WINDOWTEXT);
  const int saved = SaveDC(dc);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0))) SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);  // the list has painted its background
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  RestoreDC(dc, saved);
}

LRESULT HintProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, void* data);

LRESULT Next(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallNextLightSubclass(list, HintProc, message, wParam, lParam);
}

// The list paints itself as usual; the hint goes over what it painted, on
// the screen only where the list painted, so that it is never drawn twice
// over itself.
void PaintOnScreen(HWND list, const std::wstring& text) {
  UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
  const bool whole = !update || GetUpdateRgn(list, update.get(), FALSE) == ERROR;
  Next(list, WM_PAINT, 0, 0);
  const ListDC dc(list);
  if (!dc.get()) return;
  if (!whole) SelectClipRgn(dc.get(), update.get());
  DrawHint(list, dc.get(), text);
}

LRESULT HintProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto* text = static_cast<std::wstring*>(data);
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (!IsEmpty(list)) break;
      const auto given = reinterpret_cast<HDC>(wParam);
      if (!given) {
        PaintOnScreen(list, *text);
        return 0;
      }
      // Off screen (the colour layer, a window animation): into that picture.
      const LRESULT result = Next(list, message, wParam, lParam);
      DrawHint(list, given, *text);
      return result;
    }
    case WM_SIZE:
      if (IsEmpty(list)) InvalidateRect(list, nullptr, TRUE);  // the hint stays centred
      break;
    case LVM_INSERTITEMW:
    case LVM_INSERTITEMA:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETITEMCOUNT: {
      // The list repaints only its changed rows: the hint comes and goes as a whole.
      const bool wasEmpty = IsEmpty(list);
      const LRESULT result = Next(list, message, wParam, lParam);
      if (wasEmpty != IsEmpty(list)) InvalidateRect(list, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY:
      delete text;
      break;
    default:
      break;
  }
  return Next(list, message, wParam, lParam);
}

}  // namespace

void ShowHintWhileEmpty(HWND list, const std::wstring& text) {
  if (!list) return;
  if (auto* shown = static_cast<std::wstring*>(LightSubclassData(list, HintProc))) {
    *shown = text;
  } else {
    auto* own = new std::wstring(text);
    if (!AddLightSubclass(list, HintProc, own)) delete own;
  }
  if (IsEmpty(list)) InvalidateRect(list, nullptr, TRUE);
}

}  // namespace kelvane
