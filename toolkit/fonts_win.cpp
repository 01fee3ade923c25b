#include "toolkit/fonts_win.h"

#include "toolkit/dpi_win.h"

namespace kelvane {

UniqueFont CreatePointFont(const wchar_t* face, int points, int weight, UINT dpi) {
  const int height = -MulDiv(points, static_cast<int>(dpi), 72);
  return UniqueFont(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, face));
}

UniqueFont CreateMessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  // The system gives the size for the primary screen's DPI.
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                          static_cast<int>(DpiOf(nullptr)));
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

SIZE TextExtent(HWND window, const std::wstring& text, HFONT font) {
  SIZE size{};
  const WindowDC dc(window);
  if (!dc.get() || text.empty()) return size;
  if (!font) font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  // No font set: the control draws in the system font, as the DC has it.
  const SelectObjectScope select(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace kelvane
