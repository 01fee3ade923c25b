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

}  // namespace kelvane
