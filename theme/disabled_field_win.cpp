#include "theme/disabled_field_win.h"

#include <string>

#include "toolkit/handle_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {

void PaintDisabledField(HWND field, HDC dc, COLORREF back, COLORREF text) {
  RECT area{};
  GetClientRect(field, &area);
  UniqueBrush fill(CreateSolidBrush(back));
  if (fill) FillRect(dc, &area, fill.get());
  std::wstring shown = WindowText(field);
  if (shown.empty()) return;
  if (const auto mask = static_cast<wchar_t>(SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0)); mask) {
    shown.assign(shown.size(), mask);
  }
  RECT format = area;
  SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  // Where the control shows its first character: after its margin, moved by
  // its alignment and by any scrolling.
  POINT at{format.left, format.top};
  if (const LRESULT first = SendMessageW(field, EM_POSFROMCHAR, 0, 0); first != -1) {
    at = {static_cast<short>(LOWORD(first)), static_cast<short>(HIWORD(first))};
  }
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0));
  SelectObjectScope useFont(dc, font ? font : GetStockObject(SYSTEM_FONT));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, text);
  ExtTextOutW(dc, at.x, at.y, ETO_CLIPPED, &format, shown.c_str(), static_cast<UINT>(shown.size()), nullptr);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace kelvane
